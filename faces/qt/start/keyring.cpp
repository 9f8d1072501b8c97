#include <faces/qt/start/keyring.h>

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace qtgui {

namespace {

constexpr char kService[] = "trackquery";

// Starts the job and waits for it at most `limit`; whether it finished without an error. A job
// that has not finished in time deletes itself whenever it does.
bool Finished(QKeychain::Job* job, std::chrono::milliseconds limit) {
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    QEventLoop loop;
    auto finished = std::make_shared<bool>(false);
    auto succeeded = std::make_shared<bool>(false);
    const auto connection = QObject::connect(job, &QKeychain::Job::finished, &loop,
                                             [&loop, finished, succeeded](QKeychain::Job* done) {
                                                 *finished = true;
                                                 *succeeded = done->error() == QKeychain::NoError;
                                                 loop.quit();
                                             });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    job->start();
    if (!*finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(connection);
    return *finished && *succeeded;
}

}  // namespace

std::optional<std::string> Keyring::Read(const std::string& profile) const {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(QString::fromStdString(profile));
    // The text is read before the job may go: it is deleted once the event loop runs again.
    auto password = std::make_shared<std::optional<std::string>>();
    QObject::connect(job, &QKeychain::Job::finished, job, [password](QKeychain::Job* done) {
        auto* read = static_cast<QKeychain::ReadPasswordJob*>(done);
        if (read->error() == QKeychain::NoError) *password = read->textData().toStdString();
    });
    Finished(job, limit_);
    return *password;
}

bool Keyring::Write(const std::string& profile, const std::string& password) const {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(QString::fromStdString(profile));
    job->setTextData(QString::fromStdString(password));
    return Finished(job, limit_);
}

bool Keyring::Remove(const std::string& profile) const {
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setKey(QString::fromStdString(profile));
    return Finished(job, limit_);
}

}  // namespace qtgui
