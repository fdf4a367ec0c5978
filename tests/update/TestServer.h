#pragma once

// Starts tests/update/test_server.py on 127.0.0.1 serving a folder, for the
// lifetime of the object.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTcpServer>

class TestServer
{
public:
    explicit TestServer(const QString &aRoot)
    {
        mProcess.setProgram(QStringLiteral(QUODRA_TEST_PYTHON));
        mProcess.setArguments({QStringLiteral(QUODRA_TEST_SERVER_SCRIPT), aRoot});
        mProcess.setProcessChannelMode(QProcess::SeparateChannels);
        mProcess.start();
        if (mProcess.waitForStarted(10000)) {
            while (!mProcess.canReadLine() && mProcess.waitForReadyRead(10000)) {
            }
            mPort = mProcess.readLine().trimmed().toInt();
        }
    }
    ~TestServer()
    {
        mProcess.kill();
        mProcess.waitForFinished(5000);
    }
    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    bool IsRunning() const { return mPort > 0; }
    QString Url(const QString &aPath) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(mPort).arg(aPath);
    }

    /// A URL on 127.0.0.1 where nothing listens.
    static QString ClosedUrl()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QStringLiteral("http://127.0.0.1:%1/x").arg(port);
    }

private:
    QProcess mProcess;
    int mPort = 0;
};
