#include "platform/text_codec.h"

#include <QByteArrayView>
#include <QStringDecoder>

namespace vermo {

QString textFromFileBytes(const std::string& bytes)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(view);
}

std::string fileBytesFromText(const QString& text)
{
    return text.toStdString();
}

}  // namespace vermo
