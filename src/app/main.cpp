#include "app/MainForm.h"
#include "app/Startup.h"
#include "platform/Application.h"
#include "platform/Console.h"

#include <QFile>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Writes all of a text to a stream; a text that cannot be written (a full disk, a closed pipe) is
// said on standard error and ends the program with 1.
int write(std::FILE* stream, const QString& text, int status) {
    const QByteArray bytes = text.toLocal8Bit();
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, bytes.size(), stream) != size_t(bytes.size()) ||
        std::fflush(stream) != 0) {
        std::fprintf(stderr, "moravel: standard output: %s\n", std::strerror(errno ? errno : EIO));
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    using moravel::app::StartRequest;
    moravel::platform::useBinaryStandardStreams();
    // Help and the version answer before the application object, so without a display.
    QStringList early;
    for (int i = 1; i < argc; ++i)
        early.append(QFile::decodeName(argv[i]));
    const StartRequest asked = moravel::app::parseStartArguments(early);
    if (asked.kind == StartRequest::Kind::Help)
        return write(stdout, moravel::app::startHelp(), 0);
    if (asked.kind == StartRequest::Kind::Version)
        return write(stdout, moravel::app::startVersion(), 0);

    moravel::platform::prepareJapaneseEnvironment();
    moravel::platform::Application app(argc, argv);
    // Read again without Qt's own options (-platform, -style …), in the system's own characters.
    const StartRequest request = moravel::app::parseStartArguments(QCoreApplication::arguments().mid(1));
    if (request.kind == StartRequest::Kind::Help)
        return write(stdout, moravel::app::startHelp(), 0);
    if (request.kind == StartRequest::Kind::Version)
        return write(stdout, moravel::app::startVersion(), 0);
    if (request.kind == StartRequest::Kind::Usage)
        return write(stderr, request.message, 2);
    moravel::platform::setUpJapaneseDesktop(app);
    moravel::app::Windows windows = moravel::app::createWindows();
    windows.main->show();
    if (!request.card.isEmpty()) {
        TFmMain* main = windows.main.get();
        QTimer::singleShot(0, main, [main, card = request.card, others = request.others] {
            moravel::platform::guarded([&] { main->OpenCard(card, others); });
        });
    }
    return app.exec();
}
