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

// A record name or a line built from names: always single-byte text.
inline QString FromName(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
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
