#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "util/text.h"

// Conversions between the core's texts and paths and Qt's.
namespace i40::app {

// Message texts are UTF-8 (paths in them are); names taken from records are single-byte
// text, and each of their bytes that is no part of a UTF-8 character shows as Latin-1.
inline QString FromCore(std::string_view text) {
  return QString::fromStdString(ToUtf8(text));
}

// A record name or a line built from names: always single-byte text, each byte the one
// Latin-1 character of its value; a control byte shows as its picture (U+2400 on), so a
// name is one line and one character a byte.
inline QString FromName(std::string_view name) {
  QString text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  for (QChar& c : text) {
    if (c.unicode() < 0x20) c = QChar(0x2400 + c.unicode());
    if (c.unicode() == 0x7F) c = QChar(0x2421);
  }
  return text;
}

inline std::string ToCore(const QString& text) {
  return text.toUtf8().toStdString();
}

inline QString PathToQString(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

inline std::filesystem::path QStringToPath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

}  // namespace i40::app
