#include "SecondCopy.h"

#include "Kopie.h"
#include "Placement.h"
#include "Pomocnik.h"

#include "core/sound/SoundCue.h"

#include <QApplication>

namespace {
// The longest the copy waits at its end for the assistant's goodbye.
constexpr int kGoodbyeWaitMs = 2000;
} // namespace

namespace SecondCopy {

Windows start(QApplication &app)
{
    Windows w;
    w.assistant = std::make_unique<TPomocnikDialog>();
    w.notice = std::make_unique<TKopieDialog>(w.assistant.get());
    QObject::connect(w.assistant.get(), &TPomocnikDialog::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    w.assistant->move(PlacementRules::centredPosition(Placement::screenSize(),
                                                      Placement::outerRect(w.assistant.get()).size()));
    w.notice->move(PlacementRules::noticePosition(Placement::outerRect(w.assistant.get()),
                                                  Placement::outerRect(w.notice.get()).size()));
    w.notice->show();
    w.assistant->show();
    // The notice holds the keys (Esc, Enter): it comes to the front with
    // the focus, over the assistant that it has disabled.
    w.notice->raise();
    w.notice->activateWindow();
    return w;
}

int run(QApplication &app)
{
    int code = 0;
    {
        const Windows windows = start(app);
        code = app.exec();
    }
    // The windows leave the screen at once; the copy ends when the goodbye
    // that closing the assistant started has been heard.
    QGuiApplication::sync();
    waitUntilSoundCueHeard(kGoodbyeWaitMs);
    return code;
}

} // namespace SecondCopy
