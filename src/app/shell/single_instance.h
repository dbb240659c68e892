#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace i40::app {

// One editor per user: a second start hands the files it was given to the editor that
// is running and ends, and that editor opens them. Two editors on one Set would each
// save over the other's edits.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // The running editor's name for this user (its local socket); I40SETED_INSTANCE in the
  // environment gives another, so tests never meet the user's own editor.
  static QString DefaultName();

  // Hands the files (made absolute here: the running editor has another working folder)
  // to the editor listening under the name. True when it took them.
  static bool HandOff(const QString& name, const QStringList& files, int timeoutMs = 3000);

  explicit SingleInstance(QObject* parent = nullptr);

  // Listens under the name, taking it over from an editor that ended without giving it
  // up. False when that fails (the editor then runs on alone).
  bool Listen(const QString& name);

 Q_SIGNALS:
  // A second start handed these files over (none: it was started without any).
  void filesReceived(const QStringList& files);

 private:
  void Serve();

  QLocalServer* server_;
  QHash<QObject*, QByteArray> buffers_;  // what each connection has sent so far
};

}  // namespace i40::app
