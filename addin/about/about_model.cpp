#include "addin/about/about_model.h"

#include <array>

namespace tavlin::about {
namespace {

// clang-format off
constexpr std::array<Texts, kLanguageCount> kTexts{{
    {"About", "Website: ", "OK", "Version %1",
     "To uninstall, close Word and then go to\r\rStart > Program Files > Tavlin > Uninstall Tavlin",
     "System Information Is Unavailable At This Time"},
    {"Info", "Website: ", "OK", "Version %1",
     "Schließen Sie zum Deinstallieren Word, und wählen Sie dann\r\r"
     "Start > Programme > Tavlin > Uninstall Tavlin",
     "Die Systeminformationen sind zurzeit nicht verfügbar."},
    {"À propos de", "Site Web : ", "OK", "Version %1",
     "Pour désinstaller, fermez Word, puis choisissez\r\r"
     "Démarrer > Programmes > Tavlin > Uninstall Tavlin",
     "Les informations système ne sont pas disponibles pour le moment."},
    {"Acerca de", "Sitio web: ", "Aceptar", "Versión %1",
     "Para desinstalar, cierre Word y vaya a\r\r"
     "Inicio > Programas > Tavlin > Uninstall Tavlin",
     "La información del sistema no está disponible en este momento."},
    {"Informazioni su", "Sito Web: ", "OK", "Versione %1",
     "Per disinstallare, chiudere Word e scegliere\r\r"
     "Start > Programmi > Tavlin > Uninstall Tavlin",
     "Informazioni di sistema non disponibili in questo momento."},
    {"Sobre", "Site: ", "OK", "Versão %1",
     "Para desinstalar, feche o Word e vá para\r\r"
     "Iniciar > Programas > Tavlin > Uninstall Tavlin",
     "As informações do sistema não estão disponíveis no momento."},
    {"Info", "Website: ", "OK", "Versie %1",
     "Sluit Word om de installatie ongedaan te maken en ga naar\r\r"
     "Start > Programma's > Tavlin > Uninstall Tavlin",
     "Systeeminformatie is momenteel niet beschikbaar."},
    {"Informacje", "Witryna sieci Web: ", "OK", "Wersja %1",
     "Aby odinstalować, zamknij program Word i przejdź do\r\r"
     "Start > Programy > Tavlin > Uninstall Tavlin",
     "Informacje o systemie są w tej chwili niedostępne."},
    {"О программе", "Веб-сайт: ", "ОК", "Версия %1",
     "Чтобы удалить программу, закройте Word и выберите\r\r"
     "Пуск > Программы > Tavlin > Uninstall Tavlin",
     "Сведения о системе сейчас недоступны."},
    {"バージョン情報", "Web サイト: ", "OK", "バージョン %1",
     "アンインストールするには、Word を終了してから次を選択します。\r\r"
     "スタート > プログラム > Tavlin > Uninstall Tavlin",
     "システム情報は現在利用できません。"},
    {"关于", "网站: ", "确定", "版本 %1",
     "若要卸载，请关闭 Word，然后转到\r\r"
     "开始 > 程序 > Tavlin > Uninstall Tavlin",
     "系统信息当前不可用。"},
}};
// clang-format on

constexpr std::string_view kVersionPlaceholder = "%1";

} // namespace

const Texts& TextsFor(Language language) {
    return kTexts.at(Index(language));
}

std::string VersionText(Language language, unsigned major, unsigned minor, unsigned revision) {
    std::string line(TextsFor(language).versionLine);
    const std::string number =
        std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
    if (const auto at = line.find(kVersionPlaceholder); at != std::string::npos) {
        line.replace(at, kVersionPlaceholder.size(), number);
    }
    return line;
}

PointerState MouseMoved(PointerState state, MouseOver where) {
    switch (where) {
    case MouseOver::Link:
        state.linkUnderlined = true;
        state.pointer = Pointer::Custom;
        break;
    case MouseOver::Background:
        state.linkUnderlined = false;
        state.pointer = Pointer::Default;
        break;
    case MouseOver::Button:
        state.pointer = Pointer::Custom;
        break;
    }
    return state;
}

std::optional<std::u16string> KeyValueText(std::uint32_t valueType,
                                           std::span<const std::uint8_t> valueBytes) {
    if (valueType == kRegSz) {
        std::u16string text(valueBytes.size() / 2, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char16_t>(valueBytes[2 * i] | (valueBytes[2 * i + 1] << 8));
        }
        // Only the one terminating NUL the query counted goes; a value
        // stored without it keeps all its characters. An empty value
        // stays empty rather than looking before its first character.
        if (!text.empty() && text.back() == u'\0') {
            text.pop_back();
        }
        return text;
    }
    if (valueType == kRegDword) {
        // Little-endian bytes, most significant (the last) first. A value
        // longer than four bytes is no 32-bit number.
        if (valueBytes.size() > 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = valueBytes.size(); i-- > 0;) {
            value = (value << 8) | valueBytes[i];
        }
        const std::string digits = std::to_string(value);
        return std::u16string(digits.begin(), digits.end());
    }
    return std::nullopt;
}

std::optional<std::u16string>
SysInfoProgram(const std::optional<std::u16string>& pathValue,
               const std::optional<std::u16string>& folderValue,
               const std::function<bool(const std::u16string&)>& fileExists) {
    if (pathValue) {
        return pathValue;
    }
    if (folderValue) {
        std::u16string program = *folderValue + u"\\MSINFO32.EXE";
        if (fileExists(program)) {
            return program;
        }
    }
    return std::nullopt;
}

} // namespace tavlin::about
