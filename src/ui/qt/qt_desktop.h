#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "ui/desktop.h"
#include "ui/qt/core_events.h"
#include "ui/qt/icon_host.h"

namespace kalvoro::qt {

class CountdownWindow;
class LayoutWindow;
class MainWindow;

// The Desktop port over Qt Widgets. It carries out what the core asks and
// delivers to the core what the windows, timers and the icon report, showing
// the core's state again after each event; it decides nothing itself.
class QtDesktop final : public QObject, public Desktop, public CoreEvents {
    Q_OBJECT

  public:
    QtDesktop(NotificationArea area, int dpi);
    ~QtDesktop() override;

    // Creates the main window for the program; events reach it from then on.
    void Attach(Program& program);

    void Load(WindowId window) override;
    void Unload(WindowId window) override;
    void Show(WindowId window) override;
    void ShowWithoutActivating(WindowId window) override;
    void Hide(WindowId window) override;
    void SetTopmost(WindowId window) override;
    void Present(WindowId window) override;
    void ArmClockTimer(std::chrono::milliseconds delay) override;
    void StartTimer(WindowId window, CountdownTimer timer) override;
    void StopTimer(WindowId window, CountdownTimer timer) override;
    void ShowMessage(std::string_view prompt, std::string_view title, int style) override;
    void AddIcon(const IconRecord& record) override;
    void DeleteIcon(const IconRecord& record) override;
    void HideFromTaskList() override;
    std::optional<MenuCommand> PopUpMenu(const Menu1Items& items, MenuCommand defaultItem) override;
    void EndProgram() override;

    void Deliver(const std::function<void(Program&)>& handler) override;
    void Refresh() override;

  private:
    LayoutWindow& WindowOf(WindowId window) const;
    CountdownWindow& CountdownWindowOf(WindowId window) const;

    NotificationArea area_;
    int dpi_;
    bool countdownInSight_;
    Program* program_ = nullptr;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<IconHost> iconHost_;
    // At most one countdown window is open; an unloaded one is deleted later,
    // as it may be inside its own handler.
    QPointer<CountdownWindow> countdownWindow_;
    QTimer clockTimer_;
};

}  // namespace kalvoro::qt
