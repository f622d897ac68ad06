// SPDX-License-Identifier: GPL-3.0-or-later
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

QString shownTextFromFileBytes(const std::string& bytes)
{
    QString text = textFromFileBytes(bytes);
    if (text.size() <= maxShownTextLength)
        return text;
    qsizetype cut = maxShownTextLength - 1;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    text.truncate(cut);
    return text + QChar(0x2026);
}

std::string fileBytesFromText(const QString& text)
{
    return text.toStdString();
}

}  // namespace vermo
