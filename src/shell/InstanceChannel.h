#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

// The single-instance test, done portably: every running copy answers on a
// local socket with its main window's class and current caption, and a new
// copy asks each of them. Any answer with the wanted class and caption is a
// running copy; a copy whose caption is something else (the boss screen) is
// not.
class InstanceServer : public QObject
{
    Q_OBJECT
public:
    struct WindowInfo {
        QString className;
        QString caption;
    };
    using InfoProvider = std::function<WindowInfo()>;

    explicit InstanceServer(InfoProvider provider, QObject *parent = nullptr,
                            const QString &baseName = defaultBaseName());
    ~InstanceServer() override;

    bool isListening() const;
    QString serverName() const;

    static QString defaultBaseName();
    static constexpr int kSlots = 8;   // copies that can answer at once

private:
    void answer();

    InfoProvider m_provider;
    QLocalServer *m_server = nullptr;
};

// True when a running copy shows a main window of that class and caption.
bool findRunningCopy(const QString &className, const QString &caption,
                     const QString &baseName = InstanceServer::defaultBaseName(),
                     int timeoutMs = 300);
