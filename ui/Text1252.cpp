#include "ui/Text1252.h"

#include "app/PathText.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {
constexpr const char* Codepage = "Windows-1252";
}

QString FromText(const std::string& text) {
    // The bytes below 0x80 are the same characters in Windows-1252 as in
    // Latin-1, which Qt reads without setting up a converter: most spell
    // lines are only those, and a list converts each line it shows.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    QStringDecoder decoder(Codepage);
    if (!decoder.isValid()) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ToText(const QString& text) {
    QStringEncoder encoder(Codepage);
    QByteArray bytes = encoder.isValid() ? QByteArray(encoder(text)) : text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QStringList FromTexts(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) {
        list << FromText(text);
    }
    return list;
}

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string ToPath(const QString& path) {
    QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString FromMarkedText(const std::string& text) {
    // Between two path marks stands a path: the file system's bytes.
    QString shown;
    bool inPath = false;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == PathMark) {
            const std::string part = text.substr(start, i - start);
            shown += inPath ? FromPath(part) : FromText(part);
            inPath = !inPath;
            start = i + 1;
        }
    }
    return shown;
}

QString MessageText(const std::string& text) {
    QString shown = FromMarkedText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}
