#include "control/texts.h"

#include <array>
#include <stdexcept>

namespace tavlin::control {
namespace {

struct Entry {
    Text key;
    std::string_view text;
};
using Table = std::array<Entry, kTextCount>;

// Each table lists its entries in key order, so a lookup is an index and a
// missing or misplaced entry fails the build rather than showing a wrong
// text.
constexpr bool InKeyOrder(const Table& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].key) != i) {
            return false;
        }
    }
    return true;
}

// The ribbon tabs' captions are Word's own names for them in each language
// (Word 2007 to 2013, whose tab "Page Layout" the setting is named after).
constexpr Table kEnglish{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "About"},
    {Text::BoxClassic, "Show Classic Menu and Toolbars in Microsoft Word 2007"},
    {Text::BoxLeft, "Show menu tabs on the left of home tab"},
    {Text::BoxAll, "Show all items in main menu"},
    {Text::BoxHome, "Home"},
    {Text::BoxInsert, "Insert"},
    {Text::BoxPageLayout, "Page Layout"},
    {Text::BoxReferences, "References"},
    {Text::BoxView, "View"},
    {Text::BoxReview, "Review"},
    {Text::BoxMailings, "Mailings"},
    {Text::BoxDeveloper, "Developer"},
    {Text::BoxHideTabs, "Hide built-in tabs"},
    {Text::Ok, "OK"},
    {Text::Cancel, "Cancel"},
    {Text::WebsiteLabel, " Website:"},
    {Text::MachineWideNote, "Tavlin is installed for all users of this computer."},
    {Text::ManagedNote, "Some settings are managed by your administrator."},
    {Text::ComputerPolicyText,
     "The computer policy for \"{1}\" is ignored: the text \"{2}\" is not 0 or 1."},
    {Text::ComputerPolicyNumber,
     "The computer policy for \"{1}\" is ignored: the number {2} is not 0 or 1."},
    {Text::ComputerPolicyType, "The computer policy for \"{1}\" is ignored: a value of type {2} "
                               "is neither REG_DWORD nor REG_SZ."},
    {Text::UserPolicyText,
     "The user policy for \"{1}\" is ignored: the text \"{2}\" is not 0 or 1."},
    {Text::UserPolicyNumber,
     "The user policy for \"{1}\" is ignored: the number {2} is not 0 or 1."},
    {Text::UserPolicyType, "The user policy for \"{1}\" is ignored: a value of type {2} is "
                           "neither REG_DWORD nor REG_SZ."},
    {Text::ErrorBoxTitle, "Application Error"},
    {Text::ErrorPlace, "in {1} at line {2}"},
    {Text::ErrorSupport, "Please email screenshot of this message to {1}"},
}};

constexpr Table kGerman{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "Info"},
    {Text::BoxClassic, "Klassische Menüs und Symbolleisten in Microsoft Word 2007 anzeigen"},
    {Text::BoxLeft, "Menüregisterkarte links von der Registerkarte „Start“ anzeigen"},
    {Text::BoxAll, "Alle Elemente im Hauptmenü anzeigen"},
    {Text::BoxHome, "Start"},
    {Text::BoxInsert, "Einfügen"},
    {Text::BoxPageLayout, "Seitenlayout"},
    {Text::BoxReferences, "Verweise"},
    {Text::BoxView, "Ansicht"},
    {Text::BoxReview, "Überprüfen"},
    {Text::BoxMailings, "Sendungen"},
    {Text::BoxDeveloper, "Entwicklertools"},
    {Text::BoxHideTabs, "Integrierte Registerkarten ausblenden"},
    {Text::Ok, "OK"},
    {Text::Cancel, "Abbrechen"},
    {Text::WebsiteLabel, " Website:"},
    {Text::MachineWideNote, "Tavlin ist für alle Benutzer dieses Computers installiert."},
    {Text::ManagedNote, "Einige Einstellungen werden von Ihrem Administrator verwaltet."},
    {Text::ComputerPolicyText,
     "Die Computerrichtlinie für „{1}“ wird ignoriert: Der Text „{2}“ ist nicht 0 oder 1."},
    {Text::ComputerPolicyNumber,
     "Die Computerrichtlinie für „{1}“ wird ignoriert: Die Zahl {2} ist nicht 0 oder 1."},
    {Text::ComputerPolicyType, "Die Computerrichtlinie für „{1}“ wird ignoriert: Ein Wert vom "
                               "Typ {2} ist weder REG_DWORD noch REG_SZ."},
    {Text::UserPolicyText,
     "Die Benutzerrichtlinie für „{1}“ wird ignoriert: Der Text „{2}“ ist nicht 0 oder 1."},
    {Text::UserPolicyNumber,
     "Die Benutzerrichtlinie für „{1}“ wird ignoriert: Die Zahl {2} ist nicht 0 oder 1."},
    {Text::UserPolicyType, "Die Benutzerrichtlinie für „{1}“ wird ignoriert: Ein Wert vom Typ "
                           "{2} ist weder REG_DWORD noch REG_SZ."},
    {Text::ErrorBoxTitle, "Anwendungsfehler"},
    {Text::ErrorPlace, "in {1} in Zeile {2}"},
    {Text::ErrorSupport, "Bitte senden Sie einen Screenshot dieser Meldung per E-Mail an {1}"},
}};

constexpr Table kFrench{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "À propos de"},
    {Text::BoxClassic, "Afficher les menus et barres d'outils classiques dans Microsoft Word 2007"},
    {Text::BoxLeft, "Afficher l'onglet des menus à gauche de l'onglet Accueil"},
    {Text::BoxAll, "Afficher tous les éléments dans le menu principal"},
    {Text::BoxHome, "Accueil"},
    {Text::BoxInsert, "Insertion"},
    {Text::BoxPageLayout, "Mise en page"},
    {Text::BoxReferences, "Références"},
    {Text::BoxView, "Affichage"},
    {Text::BoxReview, "Révision"},
    {Text::BoxMailings, "Publipostage"},
    {Text::BoxDeveloper, "Développeur"},
    {Text::BoxHideTabs, "Masquer les onglets intégrés"},
    {Text::Ok, "OK"},
    {Text::Cancel, "Annuler"},
    {Text::WebsiteLabel, " Site web :"},
    {Text::MachineWideNote, "Tavlin est installé pour tous les utilisateurs de cet ordinateur."},
    {Text::ManagedNote, "Certains paramètres sont gérés par votre administrateur."},
    {Text::ComputerPolicyText, "La stratégie ordinateur pour « {1} » est ignorée : le texte "
                               "« {2} » n'est ni 0 ni 1."},
    {Text::ComputerPolicyNumber,
     "La stratégie ordinateur pour « {1} » est ignorée : le nombre {2} n'est ni 0 ni 1."},
    {Text::ComputerPolicyType, "La stratégie ordinateur pour « {1} » est ignorée : une valeur "
                               "de type {2} n'est ni REG_DWORD ni REG_SZ."},
    {Text::UserPolicyText, "La stratégie utilisateur pour « {1} » est ignorée : le texte "
                           "« {2} » n'est ni 0 ni 1."},
    {Text::UserPolicyNumber,
     "La stratégie utilisateur pour « {1} » est ignorée : le nombre {2} n'est ni 0 ni 1."},
    {Text::UserPolicyType, "La stratégie utilisateur pour « {1} » est ignorée : une valeur de "
                           "type {2} n'est ni REG_DWORD ni REG_SZ."},
    {Text::ErrorBoxTitle, "Erreur d'application"},
    {Text::ErrorPlace, "dans {1} à la ligne {2}"},
    {Text::ErrorSupport, "Veuillez envoyer une capture d'écran de ce message par e-mail à {1}"},
}};

constexpr Table kSpanish{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "Acerca de"},
    {Text::BoxClassic,
     "Mostrar los menús y barras de herramientas clásicos en Microsoft Word 2007"},
    {Text::BoxLeft, "Mostrar la pestaña de menús a la izquierda de la pestaña Inicio"},
    {Text::BoxAll, "Mostrar todos los elementos en el menú principal"},
    {Text::BoxHome, "Inicio"},
    {Text::BoxInsert, "Insertar"},
    {Text::BoxPageLayout, "Diseño de página"},
    {Text::BoxReferences, "Referencias"},
    {Text::BoxView, "Vista"},
    {Text::BoxReview, "Revisar"},
    {Text::BoxMailings, "Correspondencia"},
    {Text::BoxDeveloper, "Programador"},
    {Text::BoxHideTabs, "Ocultar las pestañas integradas"},
    {Text::Ok, "Aceptar"},
    {Text::Cancel, "Cancelar"},
    {Text::WebsiteLabel, " Sitio web:"},
    {Text::MachineWideNote, "Tavlin está instalado para todos los usuarios de este equipo."},
    {Text::ManagedNote, "El administrador administra algunas configuraciones."},
    {Text::ComputerPolicyText,
     "Se omite la directiva de equipo para \"{1}\": el texto \"{2}\" no es 0 ni 1."},
    {Text::ComputerPolicyNumber,
     "Se omite la directiva de equipo para \"{1}\": el número {2} no es 0 ni 1."},
    {Text::ComputerPolicyType, "Se omite la directiva de equipo para \"{1}\": un valor de tipo "
                               "{2} no es REG_DWORD ni REG_SZ."},
    {Text::UserPolicyText,
     "Se omite la directiva de usuario para \"{1}\": el texto \"{2}\" no es 0 ni 1."},
    {Text::UserPolicyNumber,
     "Se omite la directiva de usuario para \"{1}\": el número {2} no es 0 ni 1."},
    {Text::UserPolicyType, "Se omite la directiva de usuario para \"{1}\": un valor de tipo {2} "
                           "no es REG_DWORD ni REG_SZ."},
    {Text::ErrorBoxTitle, "Error de aplicación"},
    {Text::ErrorPlace, "en {1} en la línea {2}"},
    {Text::ErrorSupport,
     "Envíe una captura de pantalla de este mensaje por correo electrónico a {1}"},
}};

constexpr Table kItalian{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "Informazioni su"},
    {Text::BoxClassic, "Mostra menu e barre degli strumenti classici in Microsoft Word 2007"},
    {Text::BoxLeft, "Mostra la scheda dei menu a sinistra della scheda Home"},
    {Text::BoxAll, "Mostra tutti gli elementi nel menu principale"},
    {Text::BoxHome, "Home"},
    {Text::BoxInsert, "Inserisci"},
    {Text::BoxPageLayout, "Layout di pagina"},
    {Text::BoxReferences, "Riferimenti"},
    {Text::BoxView, "Visualizza"},
    {Text::BoxReview, "Revisione"},
    {Text::BoxMailings, "Lettere"},
    {Text::BoxDeveloper, "Sviluppo"},
    {Text::BoxHideTabs, "Nascondi le schede predefinite"},
    {Text::Ok, "OK"},
    {Text::Cancel, "Annulla"},
    {Text::WebsiteLabel, " Sito Web:"},
    {Text::MachineWideNote, "Tavlin è installato per tutti gli utenti di questo computer."},
    {Text::ManagedNote, "Alcune impostazioni sono gestite dall'amministratore."},
    {Text::ComputerPolicyText,
     "Il criterio computer per \"{1}\" viene ignorato: il testo \"{2}\" non è 0 né 1."},
    {Text::ComputerPolicyNumber,
     "Il criterio computer per \"{1}\" viene ignorato: il numero {2} non è 0 né 1."},
    {Text::ComputerPolicyType, "Il criterio computer per \"{1}\" viene ignorato: un valore di "
                               "tipo {2} non è né REG_DWORD né REG_SZ."},
    {Text::UserPolicyText,
     "Il criterio utente per \"{1}\" viene ignorato: il testo \"{2}\" non è 0 né 1."},
    {Text::UserPolicyNumber,
     "Il criterio utente per \"{1}\" viene ignorato: il numero {2} non è 0 né 1."},
    {Text::UserPolicyType, "Il criterio utente per \"{1}\" viene ignorato: un valore di tipo "
                           "{2} non è né REG_DWORD né REG_SZ."},
    {Text::ErrorBoxTitle, "Errore dell'applicazione"},
    {Text::ErrorPlace, "in {1} alla riga {2}"},
    {Text::ErrorSupport,
     "Inviare una schermata di questo messaggio tramite posta elettronica a {1}"},
}};

constexpr Table kPortugueseBrazil{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "Sobre"},
    {Text::BoxClassic, "Mostrar menus e barras de ferramentas clássicos no Microsoft Word 2007"},
    {Text::BoxLeft, "Mostrar a guia de menus à esquerda da guia Página Inicial"},
    {Text::BoxAll, "Mostrar todos os itens no menu principal"},
    {Text::BoxHome, "Página Inicial"},
    {Text::BoxInsert, "Inserir"},
    {Text::BoxPageLayout, "Layout da Página"},
    {Text::BoxReferences, "Referências"},
    {Text::BoxView, "Exibição"},
    {Text::BoxReview, "Revisão"},
    {Text::BoxMailings, "Correspondências"},
    {Text::BoxDeveloper, "Desenvolvedor"},
    {Text::BoxHideTabs, "Ocultar as guias internas"},
    {Text::Ok, "OK"},
    {Text::Cancel, "Cancelar"},
    {Text::WebsiteLabel, " Site:"},
    {Text::MachineWideNote, "O Tavlin está instalado para todos os usuários deste computador."},
    {Text::ManagedNote, "Algumas configurações são gerenciadas pelo administrador."},
    {Text::ComputerPolicyText,
     "A política de computador para \"{1}\" foi ignorada: o texto \"{2}\" não é 0 nem 1."},
    {Text::ComputerPolicyNumber,
     "A política de computador para \"{1}\" foi ignorada: o número {2} não é 0 nem 1."},
    {Text::ComputerPolicyType, "A política de computador para \"{1}\" foi ignorada: um valor do "
                               "tipo {2} não é REG_DWORD nem REG_SZ."},
    {Text::UserPolicyText,
     "A política de usuário para \"{1}\" foi ignorada: o texto \"{2}\" não é 0 nem 1."},
    {Text::UserPolicyNumber,
     "A política de usuário para \"{1}\" foi ignorada: o número {2} não é 0 nem 1."},
    {Text::UserPolicyType, "A política de usuário para \"{1}\" foi ignorada: um valor do tipo "
                           "{2} não é REG_DWORD nem REG_SZ."},
    {Text::ErrorBoxTitle, "Erro de Aplicativo"},
    {Text::ErrorPlace, "em {1} na linha {2}"},
    {Text::ErrorSupport, "Envie uma captura de tela desta mensagem por email para {1}"},
}};

constexpr Table kDutch{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "Info"},
    {Text::BoxClassic, "Klassieke menu's en werkbalken weergeven in Microsoft Word 2007"},
    {Text::BoxLeft, "Menutabblad links van het tabblad Start weergeven"},
    {Text::BoxAll, "Alle items in het hoofdmenu weergeven"},
    {Text::BoxHome, "Start"},
    {Text::BoxInsert, "Invoegen"},
    {Text::BoxPageLayout, "Pagina-indeling"},
    {Text::BoxReferences, "Verwijzingen"},
    {Text::BoxView, "Beeld"},
    {Text::BoxReview, "Controleren"},
    {Text::BoxMailings, "Verzendlijsten"},
    {Text::BoxDeveloper, "Ontwikkelaars"},
    {Text::BoxHideTabs, "Ingebouwde tabbladen verbergen"},
    {Text::Ok, "OK"},
    {Text::Cancel, "Annuleren"},
    {Text::WebsiteLabel, " Website:"},
    {Text::MachineWideNote, "Tavlin is geïnstalleerd voor alle gebruikers van deze computer."},
    {Text::ManagedNote, "Sommige instellingen worden beheerd door uw beheerder."},
    {Text::ComputerPolicyText,
     "Het computerbeleid voor \"{1}\" wordt genegeerd: de tekst \"{2}\" is geen 0 of 1."},
    {Text::ComputerPolicyNumber,
     "Het computerbeleid voor \"{1}\" wordt genegeerd: het getal {2} is geen 0 of 1."},
    {Text::ComputerPolicyType, "Het computerbeleid voor \"{1}\" wordt genegeerd: een waarde van "
                               "het type {2} is geen REG_DWORD of REG_SZ."},
    {Text::UserPolicyText,
     "Het gebruikersbeleid voor \"{1}\" wordt genegeerd: de tekst \"{2}\" is geen 0 of 1."},
    {Text::UserPolicyNumber,
     "Het gebruikersbeleid voor \"{1}\" wordt genegeerd: het getal {2} is geen 0 of 1."},
    {Text::UserPolicyType, "Het gebruikersbeleid voor \"{1}\" wordt genegeerd: een waarde van "
                           "het type {2} is geen REG_DWORD of REG_SZ."},
    {Text::ErrorBoxTitle, "Toepassingsfout"},
    {Text::ErrorPlace, "in {1} op regel {2}"},
    {Text::ErrorSupport, "Stuur een schermopname van dit bericht per e-mail naar {1}"},
}};

constexpr Table kPolish{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "Informacje"},
    {Text::BoxClassic, "Pokaż klasyczne menu i paski narzędzi w programie Microsoft Word 2007"},
    {Text::BoxLeft, "Pokaż kartę menu po lewej stronie karty Narzędzia główne"},
    {Text::BoxAll, "Pokaż wszystkie elementy w menu głównym"},
    {Text::BoxHome, "Narzędzia główne"},
    {Text::BoxInsert, "Wstawianie"},
    {Text::BoxPageLayout, "Układ strony"},
    {Text::BoxReferences, "Odwołania"},
    {Text::BoxView, "Widok"},
    {Text::BoxReview, "Recenzja"},
    {Text::BoxMailings, "Korespondencja"},
    {Text::BoxDeveloper, "Deweloper"},
    {Text::BoxHideTabs, "Ukryj karty wbudowane"},
    {Text::Ok, "OK"},
    {Text::Cancel, "Anuluj"},
    {Text::WebsiteLabel, " Witryna:"},
    {Text::MachineWideNote,
     "Program Tavlin jest zainstalowany dla wszystkich użytkowników tego komputera."},
    {Text::ManagedNote, "Niektóre ustawienia są zarządzane przez administratora."},
    {Text::ComputerPolicyText,
     "Zasady komputera dla „{1}” są ignorowane: tekst „{2}” nie jest równy 0 ani 1."},
    {Text::ComputerPolicyNumber,
     "Zasady komputera dla „{1}” są ignorowane: liczba {2} nie jest równa 0 ani 1."},
    {Text::ComputerPolicyType, "Zasady komputera dla „{1}” są ignorowane: wartość typu {2} nie "
                               "jest typu REG_DWORD ani REG_SZ."},
    {Text::UserPolicyText,
     "Zasady użytkownika dla „{1}” są ignorowane: tekst „{2}” nie jest równy 0 ani 1."},
    {Text::UserPolicyNumber,
     "Zasady użytkownika dla „{1}” są ignorowane: liczba {2} nie jest równa 0 ani 1."},
    {Text::UserPolicyType, "Zasady użytkownika dla „{1}” są ignorowane: wartość typu {2} nie "
                           "jest typu REG_DWORD ani REG_SZ."},
    {Text::ErrorBoxTitle, "Błąd aplikacji"},
    {Text::ErrorPlace, "w {1} w wierszu {2}"},
    {Text::ErrorSupport, "Wyślij zrzut ekranu tego komunikatu pocztą e-mail na adres {1}"},
}};

constexpr Table kRussian{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "О программе"},
    {Text::BoxClassic, "Показывать классические меню и панели инструментов в Microsoft Word 2007"},
    {Text::BoxLeft, "Показывать вкладку меню слева от вкладки «Главная»"},
    {Text::BoxAll, "Показывать все элементы в главном меню"},
    {Text::BoxHome, "Главная"},
    {Text::BoxInsert, "Вставка"},
    {Text::BoxPageLayout, "Разметка страницы"},
    {Text::BoxReferences, "Ссылки"},
    {Text::BoxView, "Вид"},
    {Text::BoxReview, "Рецензирование"},
    {Text::BoxMailings, "Рассылки"},
    {Text::BoxDeveloper, "Разработчик"},
    {Text::BoxHideTabs, "Скрыть встроенные вкладки"},
    {Text::Ok, "ОК"},
    {Text::Cancel, "Отмена"},
    {Text::WebsiteLabel, " Веб-сайт:"},
    {Text::MachineWideNote, "Tavlin установлен для всех пользователей этого компьютера."},
    {Text::ManagedNote, "Некоторые параметры задаются администратором."},
    {Text::ComputerPolicyText,
     "Политика компьютера для «{1}» не учитывается: текст «{2}» не равен 0 или 1."},
    {Text::ComputerPolicyNumber,
     "Политика компьютера для «{1}» не учитывается: число {2} не равно 0 или 1."},
    {Text::ComputerPolicyType, "Политика компьютера для «{1}» не учитывается: значение типа {2} "
                               "не является ни REG_DWORD, ни REG_SZ."},
    {Text::UserPolicyText,
     "Политика пользователя для «{1}» не учитывается: текст «{2}» не равен 0 или 1."},
    {Text::UserPolicyNumber,
     "Политика пользователя для «{1}» не учитывается: число {2} не равно 0 или 1."},
    {Text::UserPolicyType, "Политика пользователя для «{1}» не учитывается: значение типа {2} "
                           "не является ни REG_DWORD, ни REG_SZ."},
    {Text::ErrorBoxTitle, "Ошибка приложения"},
    {Text::ErrorPlace, "в {1}, строка {2}"},
    {Text::ErrorSupport,
     "Отправьте снимок экрана с этим сообщением по электронной почте на адрес {1}"},
}};

constexpr Table kJapanese{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "バージョン情報"},
    {Text::BoxClassic, "Microsoft Word 2007 にクラシック メニューとツール バーを表示する"},
    {Text::BoxLeft, "メニュー タブを [ホーム] タブの左に表示する"},
    {Text::BoxAll, "メイン メニューにすべての項目を表示する"},
    {Text::BoxHome, "ホーム"},
    {Text::BoxInsert, "挿入"},
    {Text::BoxPageLayout, "ページ レイアウト"},
    {Text::BoxReferences, "参考資料"},
    {Text::BoxView, "表示"},
    {Text::BoxReview, "校閲"},
    {Text::BoxMailings, "差し込み文書"},
    {Text::BoxDeveloper, "開発"},
    {Text::BoxHideTabs, "組み込みタブを非表示にする"},
    {Text::Ok, "OK"},
    {Text::Cancel, "キャンセル"},
    {Text::WebsiteLabel, " Web サイト:"},
    {Text::MachineWideNote,
     "Tavlin はこのコンピューターのすべてのユーザーにインストールされています。"},
    {Text::ManagedNote, "一部の設定は管理者によって管理されています。"},
    {Text::ComputerPolicyText,
     "「{1}」のコンピューター ポリシーは無視されます: テキスト「{2}」は 0 でも 1 でもありません。"},
    {Text::ComputerPolicyNumber,
     "「{1}」のコンピューター ポリシーは無視されます: 数値 {2} は 0 でも 1 でもありません。"},
    {Text::ComputerPolicyType, "「{1}」のコンピューター ポリシーは無視されます: 種類 {2} の値は "
                               "REG_DWORD でも REG_SZ でもありません。"},
    {Text::UserPolicyText,
     "「{1}」のユーザー ポリシーは無視されます: テキスト「{2}」は 0 でも 1 でもありません。"},
    {Text::UserPolicyNumber,
     "「{1}」のユーザー ポリシーは無視されます: 数値 {2} は 0 でも 1 でもありません。"},
    {Text::UserPolicyType, "「{1}」のユーザー ポリシーは無視されます: 種類 {2} の値は "
                           "REG_DWORD でも REG_SZ でもありません。"},
    {Text::ErrorBoxTitle, "アプリケーション エラー"},
    {Text::ErrorPlace, "{1} の {2} 行目"},
    {Text::ErrorSupport, "このメッセージのスクリーンショットを {1} に電子メールで送信してください"},
}};

constexpr Table kChineseSimplified{{
    {Text::TabWord, "Word"},
    {Text::TabAbout, "关于"},
    {Text::BoxClassic, "在 Microsoft Word 2007 中显示经典菜单和工具栏"},
    {Text::BoxLeft, "在“开始”选项卡左侧显示菜单选项卡"},
    {Text::BoxAll, "在主菜单中显示所有项目"},
    {Text::BoxHome, "开始"},
    {Text::BoxInsert, "插入"},
    {Text::BoxPageLayout, "页面布局"},
    {Text::BoxReferences, "引用"},
    {Text::BoxView, "视图"},
    {Text::BoxReview, "审阅"},
    {Text::BoxMailings, "邮件"},
    {Text::BoxDeveloper, "开发工具"},
    {Text::BoxHideTabs, "隐藏内置选项卡"},
    {Text::Ok, "确定"},
    {Text::Cancel, "取消"},
    {Text::WebsiteLabel, " 网站:"},
    {Text::MachineWideNote, "Tavlin 已为此计算机的所有用户安装。"},
    {Text::ManagedNote, "某些设置由管理员管理。"},
    {Text::ComputerPolicyText, "已忽略“{1}”的计算机策略：文本“{2}”不是 0 或 1。"},
    {Text::ComputerPolicyNumber, "已忽略“{1}”的计算机策略：数字 {2} 不是 0 或 1。"},
    {Text::ComputerPolicyType,
     "已忽略“{1}”的计算机策略：类型为 {2} 的值既不是 REG_DWORD 也不是 REG_SZ。"},
    {Text::UserPolicyText, "已忽略“{1}”的用户策略：文本“{2}”不是 0 或 1。"},
    {Text::UserPolicyNumber, "已忽略“{1}”的用户策略：数字 {2} 不是 0 或 1。"},
    {Text::UserPolicyType,
     "已忽略“{1}”的用户策略：类型为 {2} 的值既不是 REG_DWORD 也不是 REG_SZ。"},
    {Text::ErrorBoxTitle, "应用程序错误"},
    {Text::ErrorPlace, "位于 {1} 第 {2} 行"},
    {Text::ErrorSupport, "请将此消息的屏幕截图通过电子邮件发送至 {1}"},
}};

static_assert(InKeyOrder(kEnglish) && InKeyOrder(kGerman) && InKeyOrder(kFrench) &&
              InKeyOrder(kSpanish) && InKeyOrder(kItalian) && InKeyOrder(kPortugueseBrazil) &&
              InKeyOrder(kDutch) && InKeyOrder(kPolish) && InKeyOrder(kRussian) &&
              InKeyOrder(kJapanese) && InKeyOrder(kChineseSimplified));

// In the order of Language.
constexpr std::array<const Table*, kLanguageCount> kTables{
    &kEnglish, &kGerman, &kFrench,  &kSpanish,  &kItalian,           &kPortugueseBrazil,
    &kDutch,   &kPolish, &kRussian, &kJapanese, &kChineseSimplified,
};

// The number of a placeholder starting at pattern[at] ("{n}", n from 1 to
// 9), or 0.
int PlaceholderAt(std::string_view pattern, std::size_t at) {
    if (at + 2 < pattern.size() && pattern[at] == '{' && pattern[at + 1] >= '1' &&
        pattern[at + 1] <= '9' && pattern[at + 2] == '}') {
        return pattern[at + 1] - '0';
    }
    return 0;
}

} // namespace

std::string_view TextOf(Language language, Text key) {
    return kTables.at(Index(language))->at(static_cast<std::size_t>(key)).text;
}

Text BoxCaption(int index) {
    if (index < 0 ||
        index > static_cast<int>(Text::BoxHideTabs) - static_cast<int>(Text::BoxClassic)) {
        throw std::out_of_range("Control array element doesn't exist");
    }
    return static_cast<Text>(static_cast<int>(Text::BoxClassic) + index);
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t at = 0; at < pattern.size();) {
        const int number = PlaceholderAt(pattern, at);
        if (number != 0 && static_cast<std::size_t>(number) <= arguments.size()) {
            text += arguments.begin()[number - 1];
            at += 3;
        } else {
            text += pattern[at];
            ++at;
        }
    }
    return text;
}

std::vector<int> Placeholders(std::string_view pattern) {
    std::vector<int> numbers;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (const int number = PlaceholderAt(pattern, at)) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

} // namespace tavlin::control
