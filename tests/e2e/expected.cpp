#include "expected.h"

#include "utf8.h"

namespace e2e {

namespace {

constexpr std::wstring_view kRestartPrefix = L"RebootXP ";
constexpr std::wstring_view kRestartPieces[] = {
    L"Shutdown -r -t 12 -c Redémarrage_de_l'ordinateur_par_Kalvoro_XP.",
    L"Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la",
    L"fenêtre_située_en_haut_à_gauche_de_votre_écran.",
};

std::string RestartLine() {
    std::string line = Utf8(kRestartPrefix);
    for (const wchar_t c : RestartCommandLine()) {
        line += c == L'\r' ? std::string{"\\r"} : Utf8(std::wstring_view{&c, 1});
    }
    return line;
}

}  // namespace

std::vector<std::string> LinesOf(Log log) {
    switch (log) {
        case Log::PowerOff:
            return {"EteindreXP"};
        case Log::Standby:
            return {"VeilleXP"};
        case Log::RestartOpened:
            return {RestartLine()};
        case Log::RestartCancelled:
            return {RestartLine(), "AnnulerRebootXP Shutdown -a"};
        case Log::Empty:
            break;
    }
    return {};
}

std::wstring RestartCommandLine() {
    std::wstring line;
    for (const std::wstring_view piece : kRestartPieces) {
        line += (line.empty() ? L"" : L"\r") + std::wstring{piece};
    }
    return line;
}

std::wstring CommandLineOfRestartLine(std::string_view line) {
    std::wstring text = FromUtf8(line);
    if (text.rfind(kRestartPrefix, 0) != 0) {
        return {};
    }
    text.erase(0, kRestartPrefix.size());
    for (std::size_t at; (at = text.find(L"\\r")) != std::wstring::npos;) {
        text.replace(at, 2, L"\r");
    }
    return text;
}

std::wstring Sentence(std::wstring_view opening, int blanks) {
    return std::wstring{opening} + std::wstring(static_cast<std::size_t>(blanks), L' ') +
           L"seconde(s) ...";
}

int Pixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

}  // namespace e2e
