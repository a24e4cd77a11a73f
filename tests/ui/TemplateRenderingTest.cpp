// A toolkit in miniature: it renders open dialogs and drives them knowing nothing but the
// dialog base classes, as a desktop toolkit will. Text leaves the library as UTF-8, as at
// every edge.

#include "support/TempSettings.h"

#include <vellum/Graphics/GraphicLine.h>
#include <vellum/platform/CodePage.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UiHost.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

// The open dialog as the user sees it now.
std::string RenderState(const CDialog& dialog) {
    std::ostringstream out;
    for (int i = 0; i < dialog.GetItemCount(); ++i) {
        const CDialogItem& item = *dialog.GetItemAt(i);
        const std::string text = ToUtf8(item.GetText());
        switch (item.GetKind()) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            out << (item.GetCheck() == BST_CHECKED ? "[x] " : "[ ] ") << text;
            break;
        case ControlKind::Edit:
            out << "[" << text << "]";
            break;
        case ControlKind::UpDown: {
            int lower = 0;
            int upper = 0;
            item.GetRange32(lower, upper);
            out << "<" << item.GetPos32() << " of " << lower << ".." << upper << ">";
            break;
        }
        case ControlKind::PushButton:
            out << "(" << text << ")";
            break;
        default:
            out << text;
        }
        out << "\n";
    }
    return out.str();
}

// A host that renders every sheet and acts on it by what the user reads: tab captions,
// control captions, and the edit beside a label.
class RenderingHost : public CHeadlessUiHost {
public:
    using Step = std::function<void(RenderingHost&, CPropertySheet&)>;

    std::vector<Step> steps;
    std::vector<std::string> frames;

    void RunPropertySheet(CPropertySheet& sheet) override {
        frames.push_back(RenderSheet(sheet));
        for (const Step& step : steps) {
            step(*this, sheet);
            if (sheet.IsOpen())
                frames.push_back(RenderSheet(sheet));
        }
    }

    static Step Tab(std::string caption) {
        return [caption](RenderingHost&, CPropertySheet& sheet) {
            for (int i = 0; i < sheet.GetPageCount(); ++i) {
                if (ToUtf8(sheet.GetPage(i)->GetCaption()) == caption) {
                    EXPECT_TRUE(sheet.SetActivePage(i));
                }
            }
        };
    }
    static Step Click(std::string caption) {
        return [caption](RenderingHost&, CPropertySheet& sheet) {
            CDialog& page = *sheet.GetActivePage();
            EXPECT_TRUE(page.ClickButton(Find(page, caption)->GetDlgCtrlID()));
        };
    }
    static Step TypeBeside(std::string label, std::string text) {
        return [label, text](RenderingHost&, CPropertySheet& sheet) {
            CDialog& page = *sheet.GetActivePage();
            const int next = Index(page, Find(page, label)) + 1;
            EXPECT_TRUE(
                page.TypeText(page.GetItemAt(next)->GetDlgCtrlID(), FromUtf8(text).GetString()));
        };
    }
    static Step OK() {
        return [](RenderingHost&, CPropertySheet& sheet) { sheet.PressOK(); };
    }

private:
    static std::string RenderSheet(const CPropertySheet& sheet) {
        std::string frame = ToUtf8(sheet.GetCaption()) + ":";
        for (int i = 0; i < sheet.GetPageCount(); ++i) {
            const std::string caption = ToUtf8(sheet.GetPage(i)->GetCaption());
            frame += i == sheet.GetActiveIndex() ? " [" + caption + "]" : " " + caption;
        }
        frame += "\n" + RenderState(*sheet.GetActivePage());
        frame += sheet.HasApplyButton() ? "(OK) (Annulla) (Applica)\n" : "(OK) (Annulla)\n";
        return frame;
    }
    static CDialogItem* Find(const CDialog& page, const std::string& caption) {
        for (int i = 0; i < page.GetItemCount(); ++i)
            if (ToUtf8(page.GetItemAt(i)->GetText()) == caption)
                return page.GetItemAt(i);
        ADD_FAILURE() << "no control reads " << caption;
        return page.GetItemAt(0);
    }
    static int Index(const CDialog& page, const CDialogItem* item) {
        for (int i = 0; i < page.GetItemCount(); ++i)
            if (page.GetItemAt(i) == item)
                return i;
        return -1;
    }
};

TEST(TemplateRendering, AToolkitRunsAnItemsSheetWithoutKnowingItsPages) {
    TempSettings settings;
    RenderingHost host;
    CUiHostScope scope(host);
    host.steps = {RenderingHost::Tab("Linea"), RenderingHost::TypeBeside("Larghezza linea:", "4"),
                  RenderingHost::Click("Imposta come default"), RenderingHost::OK()};
    CGraphicLine line;
    line.SetLineWidth(2.0);
    EXPECT_EQ(line.Properties(nullptr, 0), 1);
    EXPECT_EQ(line.GetLineWidth(), 4.0);
    EXPECT_EQ(settings.Contents(), "[UserGraphics]\nDefaultWidth=4\n");
    const std::vector<std::string> expected = {
        "Propietà: [Colore] Linea\n"
        "(Seleziona Colori...)\n"
        "[ ] Imposta come default\n"
        "(OK) (Annulla)\n",
        "Propietà: Colore [Linea]\n"
        "Larghezza linea:\n"
        "[2]\n"
        "<2 of 1..5>\n"
        "[ ] Imposta come default\n"
        "(OK) (Annulla)\n",
        "Propietà: Colore [Linea]\n"
        "Larghezza linea:\n"
        "[4]\n"
        "<2 of 1..5>\n"
        "[ ] Imposta come default\n"
        "(OK) (Annulla)\n",
        "Propietà: Colore [Linea]\n"
        "Larghezza linea:\n"
        "[4]\n"
        "<2 of 1..5>\n"
        "[x] Imposta come default\n"
        "(OK) (Annulla)\n",
    };
    EXPECT_EQ(host.frames, expected);
}

} // namespace
} // namespace vellum::test
