#include "control/error_trap.h"

#include "common/error.h"
#include "common/product.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlin::control {
namespace {

struct RecordingBoxes final : ErrorBoxView {
    void ShowErrorBox(std::string_view text, std::string_view title) override {
        texts.emplace_back(text);
        titles.emplace_back(title);
        if (failNext) {
            failNext = false;
            throw std::runtime_error("no window station");
        }
    }
    std::vector<std::string> texts;
    std::vector<std::string> titles;
    bool failNext = false;
};

std::string SupportLine() {
    return "Please email screenshot of this message to " + std::string(kSupportEmail);
}

TEST(ErrorBoxText, ExactTextForEachHandler) {
    struct Case {
        Handler handler;
        int label;
        const char* place;
    };
    const Case cases[] = {
        {Handler::Initialize, 106, "in TavlinPanel2016/06/15.Form1.Form_Initialize at line 106"},
        {Handler::Load, 106, "in TavlinPanel2016/06/15.Form1.Form_Load at line 106"},
        {Handler::OkOrCancel, 112, "in TavlinPanel2016/06/15.Form1.PushButton22_Click at line 112"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorBoxText("Type mismatch", c.handler, c.label),
                  std::string("Type mismatch\r\n") + c.place + "\r\r" + SupportLine());
    }
}

TEST(ErrorBoxText, EmptyDescriptionStillGivesEveryLine) {
    EXPECT_EQ(ErrorBoxText("", Handler::Load, 100),
              "\r\nin TavlinPanel2016/06/15.Form1.Form_Load at line 100\r\r" + SupportLine());
}

TEST(ErrorBoxText, DescriptionIsKeptAsItIs) {
    const std::string description = "Zugriff verweigert \xC3\xA4\xC3\xB6 100%s";
    const std::string text = ErrorBoxText(description, Handler::OkOrCancel, 104);
    EXPECT_EQ(text.substr(0, description.size() + 2), description + "\r\n");
}

// The place's name and the label are what support looks the step up by:
// they stand as they are in every language, in a translated sentence.
TEST(ErrorBoxText, EachLanguageTranslatesTheSentencesAroundThePlace) {
    struct Case {
        Language language;
        const char* text;
        const char* title;
        const char* typeMismatch;
    };
    const Case cases[] = {
        {Language::German,
         "Type mismatch\r\nin TavlinPanel2016/06/15.Form1.PushButton22_Click in Zeile 112\r\r"
         "Bitte senden Sie einen Screenshot dieser Meldung per E-Mail an support@drevalo.example",
         "Anwendungsfehler", "Typen unverträglich"},
        {Language::Japanese,
         "Type mismatch\r\nTavlinPanel2016/06/15.Form1.PushButton22_Click の 112 行目\r\r"
         "このメッセージのスクリーンショットを support@drevalo.example "
         "に電子メールで送信してください",
         "アプリケーション エラー", "型が一致しません。"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorBoxText("Type mismatch", Handler::OkOrCancel, 112, c.language), c.text);
        RecordingBoxes boxes;
        ErrorTrap trap(Handler::OkOrCancel, boxes, nullptr, c.language);
        trap.Run(112, [] { throw Error::TypeMismatch(); });
        // The standard error's description is translated too.
        const std::string text(c.text);
        EXPECT_EQ(boxes.texts,
                  std::vector<std::string>{c.typeMismatch + text.substr(text.find("\r\n"))});
        EXPECT_EQ(boxes.titles, std::vector<std::string>{c.title});
    }
    for (const Language language : kAllLanguages) {
        const std::string text = ErrorBoxText("Overflow", Handler::Load, 106, language);
        EXPECT_EQ(text.rfind("Overflow\r\n", 0), 0u) << LocaleName(language);
        for (const char* part :
             {"TavlinPanel2016/06/15.Form1.Form_Load", "106", "\r\r", "support@drevalo.example"}) {
            EXPECT_NE(text.find(part), std::string::npos) << LocaleName(language) << " " << part;
        }
    }
}

TEST(ErrorTrap, AFailingStepShowsOneBoxAndTheNextStepRuns) {
    RecordingBoxes boxes;
    ErrorTrap trap(Handler::Initialize, boxes);
    std::vector<int> ran;
    trap.Run(100, [&] { ran.push_back(100); });
    trap.Run(102, [&] {
        throw Error::TypeMismatch();
        ran.push_back(-1);
    });
    trap.Run(104, [&] { ran.push_back(104); });
    EXPECT_EQ(ran, (std::vector<int>{100, 104}));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], ErrorBoxText("Type mismatch", Handler::Initialize, 102));
    EXPECT_EQ(boxes.titles[0], "Application Error");
}

TEST(ErrorTrap, SeveralFailuresShowOneBoxEachInStepOrder) {
    RecordingBoxes boxes;
    ErrorTrap trap(Handler::OkOrCancel, boxes);
    trap.Run(104, [] { throw Error::Overflow(); });
    trap.Run(106, [] {});
    trap.Run(108, [] { throw Error::InvalidPropertyValue(); });
    for (int i = 0; i < 2; ++i) {
        trap.Run(112, [] { throw Error::TypeMismatch(); });
    }
    ASSERT_EQ(boxes.texts.size(), 4u);
    EXPECT_EQ(boxes.texts[0], ErrorBoxText("Overflow", Handler::OkOrCancel, 104));
    EXPECT_EQ(boxes.texts[1], ErrorBoxText("Invalid property value", Handler::OkOrCancel, 108));
    EXPECT_EQ(boxes.texts[2], ErrorBoxText("Type mismatch", Handler::OkOrCancel, 112));
    EXPECT_EQ(boxes.texts[3], boxes.texts[2]);
}

TEST(ErrorTrap, AFailingTestCountsAsTrue) {
    RecordingBoxes boxes;
    ErrorTrap trap(Handler::Load, boxes);
    EXPECT_TRUE(trap.Test(104, []() -> bool { throw Error::ObjectNotSet(); }));
    EXPECT_FALSE(trap.Test(104, [] { return false; }));
    EXPECT_TRUE(trap.Test(104, [] { return true; }));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], ErrorBoxText("Object variable not set", Handler::Load, 104));
}

TEST(ErrorTrap, EveryKindOfFailureGetsADescription) {
    RecordingBoxes boxes;
    ErrorTrap trap(Handler::Load, boxes);
    trap.Run(100, [] { throw std::bad_alloc(); });
    trap.Run(102, [] { throw std::runtime_error("The system cannot find the file specified."); });
    trap.Run(104, [] { throw 42; });
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[0], ErrorBoxText("Out of memory", Handler::Load, 100));
    EXPECT_EQ(boxes.texts[1],
              ErrorBoxText("The system cannot find the file specified.", Handler::Load, 102));
    EXPECT_EQ(boxes.texts[2], ErrorBoxText("Unknown error", Handler::Load, 104));
}

TEST(ErrorTrap, ABoxThatCannotBeShownDoesNotStopTheHandler) {
    RecordingBoxes boxes;
    boxes.failNext = true;
    ErrorTrap trap(Handler::Initialize, boxes);
    bool ranAfter = false;
    trap.Run(104, [] { throw Error::TypeMismatch(); });
    trap.Run(106, [&] { ranAfter = true; });
    EXPECT_TRUE(ranAfter);
}

TEST(ErrorTrap, TheProbeFailsTheStepItNames) {
    RecordingBoxes boxes;
    const ErrorTrap::Probe probe = [](Handler handler, int label) {
        if (handler == Handler::Load && label == 102) {
            throw Error::Overflow();
        }
    };
    ErrorTrap trap(Handler::Load, boxes, &probe);
    std::vector<int> ran;
    for (int label : {100, 102, 104}) {
        trap.Run(label, [&] { ran.push_back(label); });
    }
    EXPECT_EQ(ran, (std::vector<int>{100, 104}));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], ErrorBoxText("Overflow", Handler::Load, 102));
}

} // namespace
} // namespace tavlin::control
