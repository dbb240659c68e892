#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <filesystem>
#include <string>
#include <string_view>

// Conversions between the core's texts and paths and Qt's.
namespace i40::app {

// Message texts are UTF-8 (paths in them are); names taken from records are single-byte
// text. A text that is not valid UTF-8 is read as Latin-1, so such a name still shows.
inline QString FromCore(std::string_view text) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
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
