#pragma once

#include <QString>

#include <string>

// Texts between the model and Qt. The game keeps its names in single bytes (Latin-1);
// messages may also carry text the user typed or a path, which Qt hands over in UTF-8.

// A name or list line from the league's files.
inline QString FromGameText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A message text: UTF-8 when it is valid UTF-8, else the game's single-byte text.
QString FromMessageText(const std::string& text);

// Text typed into a box, for the model's conversions.
inline std::string ToModelText(const QString& text) {
    return text.toStdString();
}

// A file path for the library's file access, and back. The library takes paths in the
// system's own bytes where names are bytes, and in UTF-8 on Windows, where the local 8-bit
// code page cannot spell every name.
inline std::string ToFilePath(const QString& path) {
#ifdef Q_OS_WIN
    return path.toStdString();
#else
    return path.toLocal8Bit().toStdString();
#endif
}
inline QString FromFilePath(const std::string& path) {
#ifdef Q_OS_WIN
    return QString::fromStdString(path);
#else
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
#endif
}
