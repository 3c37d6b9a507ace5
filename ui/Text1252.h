#pragma once
// Text crosses between the windows and the core as Windows-1252 bytes; file
// paths cross as the file system's own bytes.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

QString FromText(const std::string& text);
std::string ToText(const QString& text);
QStringList FromTexts(const std::vector<std::string>& texts);

QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

// Windows-1252 text in which a marked path (MessagePath) stands as the file
// system's name: a book's text with its caption.
QString FromMarkedText(const std::string& text);

// A message of the core as the windows show it: Windows-1252 text, a marked
// path (MessagePath) as the file system's name, "\r\n" one line break.
QString MessageText(const std::string& text);
