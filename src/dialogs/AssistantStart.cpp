#include "AssistantStart.h"

#include "Placement.h"
#include "Pomocnik.h"
#include "services/InputLock.h"
#include "core/settings/Settings.h"

namespace AssistantStart {

Shown run(TPomocnikDialog *assistant, QWidget *mainWindow, QWidget *welcome, const std::function<void()> &showWelcome)
{
    const QString pomocnik = Settings::pomocnik();
    const QString uvitani = Settings::uvitani();
    if (pomocnik != QLatin1String("1"))
        return Shown::Nothing;
    if (uvitani != QLatin1String("1") || !welcome) {
        assistant->showAssistant();
        return Shown::Assistant;
    }
    Placement::applyRule(PlacementRules::DialogRow::Welcome, assistant, Placement::outerRect(welcome).size());
    assistant->showAssistant();
    InputLock::setInputEnabled(mainWindow, false);
    InputLock::setInputEnabled(assistant, false);
    if (showWelcome)
        showWelcome();
    return Shown::AssistantAndWelcome;
}

} // namespace AssistantStart
