// A toolkit in miniature: it renders templates and drives dialogs knowing nothing but the
// template data and the dialog base classes, as a desktop toolkit will. Text leaves the
// library as UTF-8, as at every edge.

#include "support/TempSettings.h"

#include <vellum/Graphics/GraphicLine.h>
#include <vellum/platform/CodePage.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UiHost.h>
#include <vellum/ui/LibraryResources.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

std::string WidgetOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::PushButton:
        return "button";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::RadioButton:
        return "radio";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::UpDown:
        return "spin";
    case ControlKind::ListBox:
        return "list";
    case ControlKind::CheckListBox:
        return "checklist";
    }
    return "?";
}

// One line per control: widget, identifier, caption and place.
std::string RenderTemplate(const CDialogTemplate& dialog) {
    std::ostringstream out;
    out << ToUtf8(CString(dialog.caption)) << " " << dialog.cx << "x" << dialog.cy << "\n";
    for (const CControlTemplate& control : dialog.controls) {
        out << "  " << WidgetOf(control.kind) << " #" << control.id << " \""
            << ToUtf8(CString(control.text)) << "\" " << control.x << "," << control.y << " "
            << control.cx << "x" << control.cy << "\n";
    }
    return out.str();
}

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

TEST(TemplateRendering, EveryTemplateRendersFromItsDataAlone) {
    for (const CDialogTemplate& dialog : LibraryResources().dialogs) {
        const std::string rendered = RenderTemplate(dialog);
        EXPECT_EQ(rendered.find('?'), std::string::npos) << rendered;
        EXPECT_EQ(std::count(rendered.begin(), rendered.end(), '\n'),
                  static_cast<long>(dialog.controls.size()) + 1);
    }
    EXPECT_EQ(RenderTemplate(*LibraryResources().FindDialog(102)),
              "Profilo di Densità 186x70\n"
              "  group #-1 \"Scala\" 7,7 100x56\n"
              "  label #-1 \"Min:\" 15,23 25x8\n"
              "  edit #24276 \"\" 45,20 50x14\n"
              "  label #-1 \"Max:\" 15,42 25x8\n"
              "  edit #24277 \"\" 45,39 50x14\n");
}

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
