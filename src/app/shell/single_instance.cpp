#include "shell/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>

namespace i40::app {
namespace {

// The running editor's answer once it has the files.
constexpr char kTaken = 'k';
// The files travel one a line, percent-encoded, and an empty line ends them; more than
// this is no second start of the editor.
constexpr qsizetype kMaxMessage = 1 << 20;

}  // namespace

QString SingleInstance::DefaultName() {
  const QString given = qEnvironmentVariable("I40SETED_INSTANCE");
  if (!given.isEmpty()) return given;
  // Per user: the user's name, and the home folder (a run with another HOME is another
  // user's desktop as far as the settings go).
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  const QByteArray home =
      QCryptographicHash::hash(QDir::homePath().toUtf8(), QCryptographicHash::Sha1).toHex();
  return QStringLiteral("i40seted-%1-%2").arg(user, QString::fromLatin1(home.left(12)));
}

bool SingleInstance::HandOff(const QString& name, const QStringList& files, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(timeoutMs)) return false;
  QByteArray message;
  for (const QString& file : files)
    message += QUrl::toPercentEncoding(QFileInfo(file).absoluteFilePath()) + '\n';
  socket.write(message + '\n');
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  while (socket.bytesAvailable() == 0) {
    if (!socket.waitForReadyRead(timeoutMs)) return false;
  }
  char answer = 0;
  return socket.getChar(&answer) && answer == kTaken;
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::Serve);
}

bool SingleInstance::Listen(const QString& name) {
  if (server_->listen(name)) return true;
  // Nobody answered under the name (the caller tried), so what holds it is left over.
  QLocalServer::removeServer(name);
  return server_->listen(name);
}

void SingleInstance::Serve() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      QByteArray& received = buffers_[socket];
      received += socket->readAll();
      if (received.size() > kMaxMessage) {
        buffers_.remove(socket);
        return socket->abort();
      }
      if (!received.endsWith("\n\n") && received != "\n") return;  // the rest is on its way
      QStringList files;
      for (const QByteArray& line : received.split('\n')) {
        if (!line.isEmpty()) files << QUrl::fromPercentEncoding(line);
      }
      buffers_.remove(socket);
      socket->putChar(kTaken);
      socket->flush();
      Q_EMIT filesReceived(files);
    });
    connect(socket, &QObject::destroyed, this, [this, socket] { buffers_.remove(socket); });
  }
}

}  // namespace i40::app
