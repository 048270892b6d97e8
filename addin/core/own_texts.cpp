// Every language's own texts. Menu names are those Word's own classic menus
// had in that language (Word 2003); the rest follow Microsoft's Office
// terminology of the language. Where English has "…", so does every
// language: it says that a dialog follows.
#include "addin/core/own_texts.h"

#include <initializer_list>
#include <utility>

namespace tavlin {
namespace {

using Entry = std::pair<OwnText, std::string_view>;

// Places each text under its key; a key left out or given twice stops the
// build, so no language can miss a text unnoticed.
consteval OwnTextTable Table(std::initializer_list<Entry> entries) {
    OwnTextTable table{};
    std::array<bool, kOwnTextCount> given{};
    given[0] = true;
    for (const Entry& entry : entries) {
        const auto at = static_cast<std::size_t>(entry.first);
        if (at == 0 || given[at] || entry.second.empty()) {
            throw "a text is given twice, for None, or empty";
        }
        given[at] = true;
        table[at] = entry.second;
    }
    for (const bool isGiven : given) {
        if (!isGiven) {
            throw "a text is missing";
        }
    }
    return table;
}

using enum OwnText;

// clang-format off
constexpr std::array<OwnTextTable, kLanguageCount> kTables{{
    // English
    Table({
        {Tab, "Classic"}, {Group, "Tools panel"}, {All, "All"},
        {MenuFile, "File"}, {MenuEdit, "Edit"}, {MenuView, "View"}, {MenuInsert, "Insert"},
        {MenuFormat, "Format"}, {MenuTools, "Tools"}, {MenuTable, "Table"},
        {MenuWindow, "Windows"}, {MenuHelp, "Help"},
        {PageSetup, "Page Setup…"}, {HeaderAndFooter, "Header And Footer"}, {Zoom, "Zoom…"},
        {Comments, "Comments"}, {References, "References"}, {Illustrations, "Illustrations"},
        {Arrange, "Arrange"}, {LanguageMenu, "Language"}, {Tracking, "Tracking"},
        {CompareAndCombine, "Compare And Combine"}, {LettersAndMailing, "Letters and Mailing"},
        {Macro, "Macro"}, {Controls, "Controls"}, {Xml, "XML"},
        {TableInsert, "Insert"}, {TableDelete, "Delete"}, {TableSelect, "Select"},
        {TableConvert, "Convert"},
        {AboutTavlin, "About Tavlin"}, {UninstallTavlin, "Uninstall Tavlin"},
        {UninstallTip, "You can uninstall using this option."},
    }),
    // German
    Table({
        {Tab, "Klassisch"}, {Group, "Werkzeugbereich"}, {All, "Alle"},
        {MenuFile, "Datei"}, {MenuEdit, "Bearbeiten"}, {MenuView, "Ansicht"},
        {MenuInsert, "Einfügen"}, {MenuFormat, "Format"}, {MenuTools, "Extras"},
        {MenuTable, "Tabelle"}, {MenuWindow, "Fenster"}, {MenuHelp, "?"},
        {PageSetup, "Seite einrichten…"}, {HeaderAndFooter, "Kopf- und Fußzeile"},
        {Zoom, "Zoom…"}, {Comments, "Kommentare"}, {References, "Verweise"},
        {Illustrations, "Illustrationen"}, {Arrange, "Anordnen"}, {LanguageMenu, "Sprache"},
        {Tracking, "Nachverfolgung"}, {CompareAndCombine, "Vergleichen und Kombinieren"},
        {LettersAndMailing, "Briefe und Sendungen"}, {Macro, "Makro"},
        {Controls, "Steuerelemente"}, {Xml, "XML"},
        {TableInsert, "Einfügen"}, {TableDelete, "Löschen"}, {TableSelect, "Markieren"},
        {TableConvert, "Umwandeln"},
        {AboutTavlin, "Info über Tavlin"}, {UninstallTavlin, "Tavlin deinstallieren"},
        {UninstallTip, "Mit dieser Option können Sie Tavlin deinstallieren."},
    }),
    // French
    Table({
        {Tab, "Classique"}, {Group, "Panneau Outils"}, {All, "Tout"},
        {MenuFile, "Fichier"}, {MenuEdit, "Edition"}, {MenuView, "Affichage"},
        {MenuInsert, "Insertion"}, {MenuFormat, "Format"}, {MenuTools, "Outils"},
        {MenuTable, "Tableau"}, {MenuWindow, "Fenêtre"}, {MenuHelp, "?"},
        {PageSetup, "Mise en page…"}, {HeaderAndFooter, "En-tête et pied de page"},
        {Zoom, "Zoom…"}, {Comments, "Commentaires"}, {References, "Références"},
        {Illustrations, "Illustrations"}, {Arrange, "Organiser"}, {LanguageMenu, "Langue"},
        {Tracking, "Suivi"}, {CompareAndCombine, "Comparer et combiner"},
        {LettersAndMailing, "Lettres et publipostage"}, {Macro, "Macro"},
        {Controls, "Contrôles"}, {Xml, "XML"},
        {TableInsert, "Insérer"}, {TableDelete, "Supprimer"}, {TableSelect, "Sélectionner"},
        {TableConvert, "Convertir"},
        {AboutTavlin, "À propos de Tavlin"}, {UninstallTavlin, "Désinstaller Tavlin"},
        {UninstallTip, "Cette option permet de désinstaller Tavlin."},
    }),
    // Spanish
    Table({
        {Tab, "Clásico"}, {Group, "Panel de herramientas"}, {All, "Todo"},
        {MenuFile, "Archivo"}, {MenuEdit, "Edición"}, {MenuView, "Ver"},
        {MenuInsert, "Insertar"}, {MenuFormat, "Formato"}, {MenuTools, "Herramientas"},
        {MenuTable, "Tabla"}, {MenuWindow, "Ventana"}, {MenuHelp, "?"},
        {PageSetup, "Configurar página…"}, {HeaderAndFooter, "Encabezado y pie de página"},
        {Zoom, "Zoom…"}, {Comments, "Comentarios"}, {References, "Referencias"},
        {Illustrations, "Ilustraciones"}, {Arrange, "Organizar"}, {LanguageMenu, "Idioma"},
        {Tracking, "Seguimiento"}, {CompareAndCombine, "Comparar y combinar"},
        {LettersAndMailing, "Cartas y correspondencia"}, {Macro, "Macro"},
        {Controls, "Controles"}, {Xml, "XML"},
        {TableInsert, "Insertar"}, {TableDelete, "Eliminar"}, {TableSelect, "Seleccionar"},
        {TableConvert, "Convertir"},
        {AboutTavlin, "Acerca de Tavlin"}, {UninstallTavlin, "Desinstalar Tavlin"},
        {UninstallTip, "Con esta opción puede desinstalar Tavlin."},
    }),
    // Italian
    Table({
        {Tab, "Classico"}, {Group, "Pannello strumenti"}, {All, "Tutto"},
        {MenuFile, "File"}, {MenuEdit, "Modifica"}, {MenuView, "Visualizza"},
        {MenuInsert, "Inserisci"}, {MenuFormat, "Formato"}, {MenuTools, "Strumenti"},
        {MenuTable, "Tabella"}, {MenuWindow, "Finestra"}, {MenuHelp, "?"},
        {PageSetup, "Imposta pagina…"}, {HeaderAndFooter, "Intestazione e piè di pagina"},
        {Zoom, "Zoom…"}, {Comments, "Commenti"}, {References, "Riferimenti"},
        {Illustrations, "Illustrazioni"}, {Arrange, "Disponi"}, {LanguageMenu, "Lingua"},
        {Tracking, "Rilevamento modifiche"}, {CompareAndCombine, "Confronta e combina"},
        {LettersAndMailing, "Lettere e indirizzi"}, {Macro, "Macro"},
        {Controls, "Controlli"}, {Xml, "XML"},
        {TableInsert, "Inserisci"}, {TableDelete, "Elimina"}, {TableSelect, "Seleziona"},
        {TableConvert, "Converti"},
        {AboutTavlin, "Informazioni su Tavlin"}, {UninstallTavlin, "Disinstalla Tavlin"},
        {UninstallTip, "Con questa opzione è possibile disinstallare Tavlin."},
    }),
    // Portuguese (Brazil)
    Table({
        {Tab, "Clássico"}, {Group, "Painel de ferramentas"}, {All, "Tudo"},
        {MenuFile, "Arquivo"}, {MenuEdit, "Editar"}, {MenuView, "Exibir"},
        {MenuInsert, "Inserir"}, {MenuFormat, "Formatar"}, {MenuTools, "Ferramentas"},
        {MenuTable, "Tabela"}, {MenuWindow, "Janela"}, {MenuHelp, "Ajuda"},
        {PageSetup, "Configurar página…"}, {HeaderAndFooter, "Cabeçalho e rodapé"},
        {Zoom, "Zoom…"}, {Comments, "Comentários"}, {References, "Referências"},
        {Illustrations, "Ilustrações"}, {Arrange, "Organizar"}, {LanguageMenu, "Idioma"},
        {Tracking, "Controle"}, {CompareAndCombine, "Comparar e combinar"},
        {LettersAndMailing, "Cartas e correspondências"}, {Macro, "Macro"},
        {Controls, "Controles"}, {Xml, "XML"},
        {TableInsert, "Inserir"}, {TableDelete, "Excluir"}, {TableSelect, "Selecionar"},
        {TableConvert, "Converter"},
        {AboutTavlin, "Sobre o Tavlin"}, {UninstallTavlin, "Desinstalar o Tavlin"},
        {UninstallTip, "Você pode desinstalar o Tavlin com esta opção."},
    }),
    // Dutch
    Table({
        {Tab, "Klassiek"}, {Group, "Werkset"}, {All, "Alle"},
        {MenuFile, "Bestand"}, {MenuEdit, "Bewerken"}, {MenuView, "Beeld"},
        {MenuInsert, "Invoegen"}, {MenuFormat, "Opmaak"}, {MenuTools, "Extra"},
        {MenuTable, "Tabel"}, {MenuWindow, "Venster"}, {MenuHelp, "Help"},
        {PageSetup, "Pagina-instelling…"}, {HeaderAndFooter, "Koptekst en voettekst"},
        {Zoom, "Zoomen…"}, {Comments, "Opmerkingen"}, {References, "Verwijzingen"},
        {Illustrations, "Illustraties"}, {Arrange, "Schikken"}, {LanguageMenu, "Taal"},
        {Tracking, "Bijhouden"}, {CompareAndCombine, "Vergelijken en combineren"},
        {LettersAndMailing, "Brieven en verzendlijsten"}, {Macro, "Macro"},
        {Controls, "Besturingselementen"}, {Xml, "XML"},
        {TableInsert, "Invoegen"}, {TableDelete, "Verwijderen"}, {TableSelect, "Selecteren"},
        {TableConvert, "Converteren"},
        {AboutTavlin, "Info over Tavlin"}, {UninstallTavlin, "Tavlin verwijderen"},
        {UninstallTip, "Met deze optie kunt u Tavlin verwijderen."},
    }),
    // Polish
    Table({
        {Tab, "Klasyczne"}, {Group, "Panel narzędzi"}, {All, "Wszystkie"},
        {MenuFile, "Plik"}, {MenuEdit, "Edycja"}, {MenuView, "Widok"},
        {MenuInsert, "Wstaw"}, {MenuFormat, "Format"}, {MenuTools, "Narzędzia"},
        {MenuTable, "Tabela"}, {MenuWindow, "Okno"}, {MenuHelp, "Pomoc"},
        {PageSetup, "Ustawienia strony…"}, {HeaderAndFooter, "Nagłówek i stopka"},
        {Zoom, "Powiększenie…"}, {Comments, "Komentarze"}, {References, "Odwołania"},
        {Illustrations, "Ilustracje"}, {Arrange, "Rozmieszczanie"}, {LanguageMenu, "Język"},
        {Tracking, "Śledzenie"}, {CompareAndCombine, "Porównaj i połącz"},
        {LettersAndMailing, "Listy i dokumenty wysyłkowe"}, {Macro, "Makro"},
        {Controls, "Formanty"}, {Xml, "XML"},
        {TableInsert, "Wstaw"}, {TableDelete, "Usuń"}, {TableSelect, "Zaznacz"},
        {TableConvert, "Konwertuj"},
        {AboutTavlin, "Tavlin — informacje"}, {UninstallTavlin, "Odinstaluj Tavlin"},
        {UninstallTip, "Za pomocą tej opcji można odinstalować Tavlin."},
    }),
    // Russian
    Table({
        {Tab, "Классическое"}, {Group, "Панель инструментов"}, {All, "Все"},
        {MenuFile, "Файл"}, {MenuEdit, "Правка"}, {MenuView, "Вид"},
        {MenuInsert, "Вставка"}, {MenuFormat, "Формат"}, {MenuTools, "Сервис"},
        {MenuTable, "Таблица"}, {MenuWindow, "Окно"}, {MenuHelp, "Справка"},
        {PageSetup, "Параметры страницы…"}, {HeaderAndFooter, "Колонтитулы"},
        {Zoom, "Масштаб…"}, {Comments, "Примечания"}, {References, "Ссылки"},
        {Illustrations, "Иллюстрации"}, {Arrange, "Упорядочить"}, {LanguageMenu, "Язык"},
        {Tracking, "Запись исправлений"}, {CompareAndCombine, "Сравнить и объединить"},
        {LettersAndMailing, "Письма и рассылки"}, {Macro, "Макрос"},
        {Controls, "Элементы управления"}, {Xml, "XML"},
        {TableInsert, "Вставить"}, {TableDelete, "Удалить"}, {TableSelect, "Выделить"},
        {TableConvert, "Преобразовать"},
        {AboutTavlin, "О программе Tavlin"}, {UninstallTavlin, "Удалить Tavlin"},
        {UninstallTip, "С помощью этой команды можно удалить Tavlin."},
    }),
    // Japanese
    Table({
        {Tab, "クラシック"}, {Group, "ツール パネル"}, {All, "すべて"},
        {MenuFile, "ファイル"}, {MenuEdit, "編集"}, {MenuView, "表示"},
        {MenuInsert, "挿入"}, {MenuFormat, "書式"}, {MenuTools, "ツール"},
        {MenuTable, "罫線"}, {MenuWindow, "ウィンドウ"}, {MenuHelp, "ヘルプ"},
        {PageSetup, "ページ設定…"}, {HeaderAndFooter, "ヘッダーとフッター"},
        {Zoom, "ズーム…"}, {Comments, "コメント"}, {References, "参考資料"},
        {Illustrations, "図"}, {Arrange, "配置"}, {LanguageMenu, "言語"},
        {Tracking, "変更履歴"}, {CompareAndCombine, "比較と組み込み"},
        {LettersAndMailing, "はがきと差し込み印刷"}, {Macro, "マクロ"},
        {Controls, "コントロール"}, {Xml, "XML"},
        {TableInsert, "挿入"}, {TableDelete, "削除"}, {TableSelect, "選択"},
        {TableConvert, "変換"},
        {AboutTavlin, "Tavlin のバージョン情報"}, {UninstallTavlin, "Tavlin のアンインストール"},
        {UninstallTip, "このオプションで Tavlin をアンインストールできます。"},
    }),
    // Chinese (Simplified)
    Table({
        {Tab, "经典"}, {Group, "工具面板"}, {All, "全部"},
        {MenuFile, "文件"}, {MenuEdit, "编辑"}, {MenuView, "视图"},
        {MenuInsert, "插入"}, {MenuFormat, "格式"}, {MenuTools, "工具"},
        {MenuTable, "表格"}, {MenuWindow, "窗口"}, {MenuHelp, "帮助"},
        {PageSetup, "页面设置…"}, {HeaderAndFooter, "页眉和页脚"},
        {Zoom, "显示比例…"}, {Comments, "批注"}, {References, "引用"},
        {Illustrations, "插图"}, {Arrange, "排列"}, {LanguageMenu, "语言"},
        {Tracking, "修订"}, {CompareAndCombine, "比较和合并"},
        {LettersAndMailing, "信函与邮件"}, {Macro, "宏"},
        {Controls, "控件"}, {Xml, "XML"},
        {TableInsert, "插入"}, {TableDelete, "删除"}, {TableSelect, "选择"},
        {TableConvert, "转换"},
        {AboutTavlin, "关于 Tavlin"}, {UninstallTavlin, "卸载 Tavlin"},
        {UninstallTip, "使用此选项可以卸载 Tavlin。"},
    }),
}};
// clang-format on

} // namespace

const OwnTextTable& OwnTexts(Language language) {
    return kTables[Index(language)];
}

} // namespace tavlin
