// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/text_codec.h"

#include "platform/utf8.h"

namespace vermo {

QString textFromFileBytes(const std::string& bytes)
{
    const auto length = static_cast<qsizetype>(bytes.size());
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), length);
    return QString::fromLatin1(bytes.data(), length);
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

QString withPlainLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace vermo
