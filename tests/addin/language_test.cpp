#include "addin/about/about_model.h"
#include "addin/core/connect.h"
#include "addin/core/own_texts.h"
#include "fixtures.h"
#include "xml_tree.h"

#include "tests/text_files.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tavlin {
namespace {

using test::IsUtf8;

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// Every text of every language: there, UTF-8, and safe to write into the
// document verbatim; a dialog's "…" wherever English has one.
TEST(LanguageTables, EveryTextIsPresentAndSafe) {
    const OwnTextTable& english = OwnTexts(Language::English);
    for (const Language language : kAllLanguages) {
        const OwnTextTable& texts = OwnTexts(language);
        const auto name = LocaleName(language);
        EXPECT_TRUE(Lookup(texts, OwnText::None).empty()) << name;
        for (std::size_t key = 1; key < kOwnTextCount; ++key) {
            const std::string_view text = texts[key];
            EXPECT_FALSE(text.empty()) << name << " text " << key;
            EXPECT_TRUE(IsUtf8(text)) << name << " text " << key;
            EXPECT_EQ(text.find_first_of("\"<&"), std::string_view::npos) << name << ": " << text;
            EXPECT_EQ(text.ends_with(kEllipsis), english[key].ends_with(kEllipsis))
                << name << ": " << text;
        }
        const about::Texts& about = about::TextsFor(language);
        for (const std::string_view text :
             {about.caption, about.websiteCaption, about.okCaption, about.versionLine,
              about.uninstallMessage, about.sysInfoUnavailable}) {
            EXPECT_FALSE(text.empty()) << name;
            EXPECT_TRUE(IsUtf8(text)) << name << ": " << text;
        }
        EXPECT_TRUE(about.websiteCaption.ends_with(" ")) << name << ": the address follows";
    }
}

// The names of Word's own classic menus in each language, File to Help,
// after "All" in the menu row.
TEST(LanguageDocuments, TheMenuRowHasWordsClassicMenuNames) {
    const struct {
        std::uint32_t id;
        const char* tab;
        std::vector<std::string> menus;
    } cases[] = {
        {1033,
         "Classic",
         {"File", "Edit", "View", "Insert", "Format", "Tools", "Table", "Windows", "Help"}},
        {1031,
         "Klassisch",
         {"Datei", "Bearbeiten", "Ansicht", "Einfügen", "Format", "Extras", "Tabelle", "Fenster",
          "?"}},
        {1036,
         "Classique",
         {"Fichier", "Edition", "Affichage", "Insertion", "Format", "Outils", "Tableau", "Fenêtre",
          "?"}},
        {3082,
         "Clásico",
         {"Archivo", "Edición", "Ver", "Insertar", "Formato", "Herramientas", "Tabla", "Ventana",
          "?"}},
        {1040,
         "Classico",
         {"File", "Modifica", "Visualizza", "Inserisci", "Formato", "Strumenti", "Tabella",
          "Finestra", "?"}},
        {1046,
         "Clássico",
         {"Arquivo", "Editar", "Exibir", "Inserir", "Formatar", "Ferramentas", "Tabela", "Janela",
          "Ajuda"}},
        {1043,
         "Klassiek",
         {"Bestand", "Bewerken", "Beeld", "Invoegen", "Opmaak", "Extra", "Tabel", "Venster",
          "Help"}},
        {1045,
         "Klasyczne",
         {"Plik", "Edycja", "Widok", "Wstaw", "Format", "Narzędzia", "Tabela", "Okno", "Pomoc"}},
        {1049,
         "Классическое",
         {"Файл", "Правка", "Вид", "Вставка", "Формат", "Сервис", "Таблица", "Окно", "Справка"}},
        {1041,
         "クラシック",
         {"ファイル", "編集", "表示", "挿入", "書式", "ツール", "罫線", "ウィンドウ", "ヘルプ"}},
        {2052, "经典", {"文件", "编辑", "视图", "插入", "格式", "工具", "表格", "窗口", "帮助"}},
    };
    for (const auto& c : cases) {
        test::Document d;
        d.host.uiLanguage = c.id;
        const auto root = test::ParseXml(d.Build());
        ASSERT_TRUE(root) << c.id;
        const auto& tab = *root->children.at(0)->children.at(0)->children.at(0);
        EXPECT_EQ(tab.Attr("label"), c.tab);
        const auto& row = *tab.children.at(0)->children.at(0);
        std::vector<std::string> menus;
        for (const auto& element : row.children) {
            if (element->name == "menu") {
                menus.push_back(element->Attr("label"));
            }
        }
        ASSERT_EQ(menus.size(), 10u) << c.id;
        menus.erase(menus.begin());
        EXPECT_EQ(menus, c.menus) << c.id;
    }
}

// Walks two documents side by side: the same elements in the same order
// with the same attributes, but for the texts. Word's own controls carry
// no caption or tip in the other one.
void ExpectSameControls(const test::XmlNode& english, const test::XmlNode& other,
                        const std::string& where) {
    ASSERT_EQ(english.name, other.name) << where;
    const bool wordsOwn = other.Has("idMso") && english.name != "tab";
    EXPECT_FALSE(wordsOwn && other.Has("label")) << where << " " << other.Attr("idMso");
    EXPECT_FALSE(wordsOwn && other.Has("screentip")) << where << " " << other.Attr("idMso");
    std::vector<std::pair<std::string, std::string>> expected;
    for (const auto& attribute : english.attributes) {
        const bool text = attribute.first == "label" || attribute.first == "screentip";
        if (!text) {
            expected.push_back(attribute);
        } else if (!wordsOwn) {
            expected.emplace_back(attribute.first, other.Attr(attribute.first));
        }
    }
    EXPECT_EQ(other.attributes, expected) << where;
    ASSERT_EQ(english.children.size(), other.children.size()) << where;
    for (std::size_t i = 0; i < english.children.size(); ++i) {
        ExpectSameControls(*english.children[i], *other.children[i],
                           where + "/" + english.children[i]->name + "[" + std::to_string(i) + "]");
    }
}

// Every language, and one without a table, writes English's controls in
// English's order; only the texts differ, and Word names its own controls.
TEST(LanguageDocuments, SameControlsAsEnglishWithoutCaptionsOnWordsOwn) {
    for (const auto& settings : {std::initializer_list<std::pair<const char*, const char*>>{},
                                 {{"All", "0"}, {"Left", "0"}},
                                 {{"Hide built-in tabs", "1"}, {"Home", "1"}, {"Review", "1"}}}) {
        test::Document english(settings);
        const auto englishRoot = test::ParseXml(english.Build());
        ASSERT_TRUE(englishRoot);
        // Each table's own id, de-AT for a sublanguage, Turkish for no table.
        for (const std::uint32_t id :
             {1031u, 3079u, 1036u, 3082u, 1040u, 1046u, 1043u, 1045u, 1049u, 1041u, 2052u, 1055u}) {
            test::Document other(settings);
            other.host.uiLanguage = id;
            const std::string doc = other.Build();
            EXPECT_EQ(other.connect.UiLanguage(), ChooseLanguage(id));
            const auto root = test::ParseXml(doc);
            ASSERT_TRUE(root) << id;
            ExpectSameControls(*englishRoot, *root, std::to_string(id));
        }
    }
}

// A Word without a table's language still names its own controls, with
// our English texts around them.
TEST(LanguageDocuments, AnUnknownLanguageGetsEnglishTextsAndWordsOwnNames) {
    test::Document d;
    d.host.uiLanguage = 1106; // Welsh
    const std::string doc = d.Build();
    EXPECT_EQ(d.connect.UiLanguage(), (LanguageChoice{Language::English, false}));
    EXPECT_NE(doc.find(R"(<tab id="Menus" label="Classic" insertBeforeMso="TabHome">)"),
              std::string::npos);
    EXPECT_NE(doc.find(R"(<control idMso="FileNew"/>)"), std::string::npos);
    EXPECT_EQ(doc.find(R"(<control idMso="FileNew" label)"), std::string::npos);
}

// The language is asked again on every build: a Word whose language was
// switched gets the new one, and a host that stops answering English.
TEST(LanguageDocuments, EachBuildAsksAgain) {
    test::Document d;
    d.host.uiLanguage = 1031;
    EXPECT_NE(d.Build().find(R"(label="Klassisch")"), std::string::npos);
    EXPECT_EQ(d.connect.UiLanguage().language, Language::German);
    d.host.uiLanguage = 1041;
    EXPECT_NE(d.Build().find(R"(label="クラシック")"), std::string::npos);
    d.host.uiLanguage.reset();
    EXPECT_EQ(d.Build(), test::Document().Build());
    EXPECT_EQ(d.connect.UiLanguage(), LanguageChoice{});
}

// An administrator reads the templates in the language the users' Word
// speaks: a policy that names the tab or the "All" menu names them as the
// ribbon shows them.
TEST(LanguageTables, TheTemplatesNameTheTabAndTheAllMenuAsTheRibbonDoes) {
    for (const Language language : kAllLanguages) {
        const std::string path =
            std::string(TAVLIN_POLICY_DIR "/") + std::string(LocaleName(language)) + "/Tavlin.adml";
        const std::string adml = test::ReadFile(path);
        const auto title = [&](std::string_view id) {
            const std::string start = "<string id=\"" + std::string(id) + "\">";
            const std::size_t at = adml.find(start);
            return at == std::string::npos
                       ? std::string()
                       : adml.substr(at + start.size(),
                                     adml.find("</string>", at) - at - start.size());
        };
        const OwnTextTable& texts = OwnTexts(language);
        for (const std::string_view id : {"Classic", "Left", "All"}) {
            EXPECT_NE(title(id).find(Lookup(texts, OwnText::Tab)), std::string::npos)
                << path << " " << id;
        }
        EXPECT_NE(title("All").find(Lookup(texts, OwnText::All)), std::string::npos) << path;
    }
}

} // namespace
} // namespace tavlin
