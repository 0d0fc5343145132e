#pragma once

#include <QObject>
#include <QStringList>

#include <string>
#include <vector>

class QLocalServer;

namespace lorvan {

// The local server of the running program that takes the year files of a second start, and the
// second start's side of it. The message format is that of app/single_instance.h.
class InstanceServer final : public QObject {
    Q_OBJECT
  public:
    explicit InstanceServer(QObject* parent = nullptr);

    // Sends the message to the program serving under the name; true when one took it.
    static bool handOver(const QString& name, const std::string& message, int timeoutMilliseconds = 3000);

    // Serves under the name, only to this user. A name left behind by a program that ended without
    // cleaning up is taken over; false when another program serves under it or the server cannot start.
    bool listen(const QString& name);

  signals:
    // The year files of one received message, absolute paths.
    void filesHandedOver(const std::vector<std::string>& paths);

  private:
    QLocalServer* server_;
};

} // namespace lorvan
