#include "tour.h"

#include <algorithm>

#include "actions.h"
#include "countdown_kinds.h"
#include "program_under_test.h"
#include "report.h"
#include "steps.h"
#include "utf8.h"

namespace e2e {

namespace {

constexpr milliseconds kShotPatience{20000};
constexpr wchar_t kMalformedEntry[] = L"25h30";

class Camera {
  public:
    Camera(Report& report, std::wstring directory)
        : report_(report), directory_(std::move(directory)) {}

    void Shoot(std::string_view name, HWND window) {
        const std::wstring base = directory_ + L"\\" + FromUtf8(name);
        const std::wstring picture = base + L".png";
        DeleteFileW(picture.c_str());
        const RECT rect = WindowRectOf(window);
        const std::string request = std::to_string(rect.left) + " " + std::to_string(rect.top) +
                                    " " + std::to_string(WidthOf(rect)) + " " +
                                    std::to_string(HeightOf(rect)) + "\n";
        bool written = false;
        HANDLE file = CreateFileW((base + L".request").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD count = 0;
            written = WriteFile(file, request.data(), static_cast<DWORD>(request.size()), &count,
                                nullptr) != 0;
            CloseHandle(file);
        }
        report_.Check(
            IsShown(window) && written &&
                WaitUntil(
                    [&] { return GetFileAttributesW(picture.c_str()) != INVALID_FILE_ATTRIBUTES; },
                    kShotPatience),
            "screenshot " + std::string{name});
    }

  private:
    Report& report_;
    std::wstring directory_;
};

}  // namespace

int Tour(const std::wstring& program, const std::wstring& workRoot,
         const std::wstring& screenshots) {
    Report report;
    Camera camera(report, screenshots);
    ProgramUnderTest run(program, workRoot + L"\\tour");
    report.Check(run.WaitUntilReady(), "the program starts");
    camera.Shoot("main-window", run.Main());

    SetText(run.MainControl(ControlId::TxTChoix), kMalformedEntry);
    PostClick(run.MainControl(ControlId::Activer));
    WaitUntil([&] { return IsShown(run.MessageBox()); });
    camera.Shoot("refusal", run.MessageBox());
    PressOk(run);

    RetireToIcon(run, ControlId::Suspendre, TimeFarAhead());
    HWND menu = OpenMenu(run);
    camera.Shoot("menu", menu);
    PressMenuKeys(menu, {VK_ESCAPE});
    WaitForMenuClosed(run);

    for (const CountdownKind& kind : kCountdownKinds) {
        ChooseMenuItem(run, kind.menuItem);
        WaitUntil([&] { return IsShown(run.Countdown()); });
        std::string name = "countdown-" + std::string{kind.name};
        std::replace(name.begin(), name.end(), ' ', '-');
        camera.Shoot(name, run.Countdown());
    }
    ChooseMenuItem(run, MenuItem::Quitter);
    report.Check(run.WaitForExit(kPatience), "the program ends");
    report.Summary();
    return report.failed() == 0 ? 0 : 1;
}

}  // namespace e2e
