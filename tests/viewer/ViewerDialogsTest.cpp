// The library's dialogs as the viewer shows them: every template laid out without a control
// outside its dialog or over another, an item's property sheet reached by a right click and
// changed in its rendered pages, a modal dialog with the framework's range prompt, and list
// boxes that show the dialog's lines and pass the user's choices back.

#include "ViewerTesting.h"

#include <DialogPage.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>
#include <vellum/window/GraphicWnd.h>

#include <QColorDialog>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace vellum::test {
namespace {

QPushButton* ButtonReading(QWidget* parent, const QString& text) {
    for (QPushButton* button : parent->findChildren<QPushButton*>())
        if (button->text() == text && button->isVisible())
            return button;
    ADD_FAILURE() << "no button reads " << text.toStdString();
    return nullptr;
}

TEST(ViewerDialogs, EveryTemplateFitsItsDialogWithoutOverlaps) {
    for (const CDialogTemplate& dialog : LibraryResources().dialogs) {
        SCOPED_TRACE(dialog.id);
        viewer::DialogPage page(dialog);
        const QRect inside(QPoint(0, 0), page.size());
        const std::vector<QWidget*>& controls = page.Controls();
        ASSERT_EQ(controls.size(), dialog.controls.size());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const QRect a = controls[i]->geometry();
            EXPECT_FALSE(a.isEmpty()) << i;
            EXPECT_TRUE(inside.contains(a)) << i;
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const QRect b = controls[j]->geometry();
                // A group box frames the controls inside it; a control it frames only partly
                // overlaps it.
                const bool framed = (qobject_cast<QGroupBox*>(controls[i]) && a.contains(b)) ||
                                    (qobject_cast<QGroupBox*>(controls[j]) && b.contains(a));
                EXPECT_TRUE(framed || !a.intersects(b)) << i << " and " << j;
            }
        }
    }
    // The line page's spin arrows touch the edit they belong to, neither apart nor over it.
    viewer::DialogPage line(*LibraryResources().FindDialog(IDD_LINE_PP));
    EXPECT_EQ(line.ControlById(IDC_LINE_WIDTH)->geometry().right() + 1,
              line.ControlById(IDC_LINE_SPIN)->geometry().left());
}

TEST(ViewerDialogs, DialogUnitsFollowTheFont) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    const viewer::DialogUnits units(font);
    // 4 dialog units are one average character across, 8 are one line down.
    EXPECT_EQ(units.ToPixels(4, 8), QSize(units.BaseX(), units.BaseY()));
    EXPECT_EQ(units.ToPixels(0, 0, 186, 50).width(), (186 * units.BaseX() + 2) / 4);
    QFont larger = font;
    larger.setPixelSize(26);
    EXPECT_GT(viewer::DialogUnits(larger).BaseX(), units.BaseX());
}

TEST(ViewerDialogs, RightClickPropertiesChangeColourAndWidth) {
    ViewerFixture viewer;
    viewer.Window().VectorActionFor(CGraphicWnd::actionLine)->trigger();
    Drag(&viewer.View(), QPoint(20, 20), QPoint(100, 20));
    CGraphicItem* line = Items(*viewer.Window().List()).at(0);
    viewer.Window().List()->SetModified(0);

    WhenShown<QMenu>([&](QMenu* menu) {
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), QString::fromUtf8("Propietà..."));
        WhenShown<QDialog>([&](QDialog* sheet) {
            EXPECT_EQ(sheet->windowTitle(), QString::fromUtf8("Propietà"));
            auto* tabs = sheet->findChild<QTabWidget*>();
            ASSERT_TRUE(tabs);
            EXPECT_EQ(tabs->tabText(0), QStringLiteral("Colore"));
            EXPECT_EQ(tabs->tabText(1), QStringLiteral("Linea"));
            WhenShown<QColorDialog>([](QColorDialog* chooser) {
                chooser->setCurrentColor(QColor(255, 0, 128));
                chooser->accept();
            });
            QTest::mouseClick(ButtonReading(sheet, QStringLiteral("Seleziona Colori...")),
                              Qt::LeftButton);
            QTabBar* bar = tabs->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
            ASSERT_EQ(tabs->currentIndex(), 1);
            auto* width = tabs->currentWidget()->findChild<QLineEdit*>();
            ASSERT_TRUE(width);
            EXPECT_EQ(width->text(), QStringLiteral("1"));
            width->selectAll();
            QTest::keyClicks(width, QStringLiteral("4"));
            QTest::mouseClick(ButtonReading(sheet, QStringLiteral("OK")), Qt::LeftButton);
        });
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions()[0]).center());
    });
    Mouse(&viewer.View(), QEvent::MouseButtonPress, QPoint(60, 20), Qt::RightButton);

    EXPECT_EQ(line->GetColor(), RGB(255, 0, 128));
    EXPECT_EQ(line->GetLineWidth(), 4.0);
    EXPECT_TRUE(viewer.Window().List()->IsModified());
    // The view shows the line repainted in its new colour.
    EXPECT_EQ(viewer.View().Backing().pixel(60, 20) & 0xFFFFFF, qRgb(255, 0, 128) & 0xFFFFFF);
}

// The symbol definition's width with the framework's range check, as a library dialog does.
class RangeDialog : public CDialog {
public:
    RangeDialog() : CDialog(IDD_SYMBOL_DEFINITION) {}
    double width = 10.0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_SYMBOL_DEF_WIDTH, width);
        DDV_MinMaxDouble(dx, width, 0.0, 500.0);
    }
};

TEST(ViewerDialogs, AModalDialogKeepsARefusedValueWithTheRangePrompt) {
    ViewerFixture viewer;
    AddLibraryResources();
    RangeDialog dialog;
    QString prompt;
    WhenShown<QDialog>([&](QDialog* shown) {
        EXPECT_EQ(shown->windowTitle(), QStringLiteral("Definizione Simbolo"));
        auto* page = shown->findChild<viewer::DialogPage*>();
        auto* width = qobject_cast<QLineEdit*>(page->ControlById(IDC_SYMBOL_DEF_WIDTH));
        ASSERT_TRUE(width);
        EXPECT_EQ(width->text(), QStringLiteral("10"));
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("500.5"));
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            prompt = box->text();
            box->accept();
        });
        QTest::mouseClick(ButtonReading(shown, QStringLiteral("OK")), Qt::LeftButton);
        EXPECT_TRUE(shown->isVisible());
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("0"));
        QTest::mouseClick(ButtonReading(shown, QStringLiteral("OK")), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.width, 0.0);
    EXPECT_TRUE(prompt.contains(QStringLiteral("500"))) << prompt.toStdString();
}

// A check-list box and a list box, filled when the dialog opens, as the symbol dialogs do.
constexpr int kChecks = 100;
constexpr int kNames = 101;
constexpr CControlTemplate kListControls[] = {
    {ControlKind::CheckListBox, kChecks, "", 4, 4, 80, 40, WS_TABSTOP},
    {ControlKind::ListBox, kNames, "", 90, 4, 80, 40, WS_TABSTOP | LBS_SORT},
    {ControlKind::PushButton, IDOK, "OK", 4, 50, 40, 14, BS_DEFPUSHBUTTON},
};
constexpr CDialogTemplate kListTemplate{1, "Liste", 180, 70, kListControls};

class ListDialog : public CDialog {
public:
    ListDialog() : CDialog(&kListTemplate) {}
    int firstChecked = -1;
    int secondChecked = -1;
    int selected = -1;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        GetDlgItem(kChecks)->AddString("Frecce");
        GetDlgItem(kChecks)->AddString("Propriet\xE0");
        GetDlgItem(kChecks)->SetLineCheck(1, BST_CHECKED);
        GetDlgItem(kNames)->AddString("zeta");
        GetDlgItem(kNames)->AddString("Alfa");
        return TRUE;
    }
    void OnOK() override {
        firstChecked = GetDlgItem(kChecks)->GetLineCheck(0);
        secondChecked = GetDlgItem(kChecks)->GetLineCheck(1);
        selected = GetDlgItem(kNames)->GetCurSel();
        CDialog::OnOK();
    }
};

TEST(ViewerDialogs, ListBoxesShowTheDialogsLinesAndPassTheUsersChoices) {
    ViewerFixture viewer;
    ListDialog dialog;
    WhenShown<QDialog>([&](QDialog* shown) {
        auto* page = shown->findChild<viewer::DialogPage*>();
        auto* checks = qobject_cast<QListWidget*>(page->ControlById(kChecks));
        auto* names = qobject_cast<QListWidget*>(page->ControlById(kNames));
        ASSERT_TRUE(checks && names);
        ASSERT_EQ(checks->count(), 2);
        EXPECT_EQ(checks->item(1)->text(), QStringLiteral("Propriet\u00E0"));
        EXPECT_EQ(checks->item(0)->checkState(), Qt::Unchecked);
        EXPECT_EQ(checks->item(1)->checkState(), Qt::Checked);
        // The dialog's list sorts; the widget shows its order, so rows are its line numbers.
        ASSERT_EQ(names->count(), 2);
        EXPECT_EQ(names->item(0)->text(), QStringLiteral("Alfa"));
        checks->item(0)->setCheckState(Qt::Checked);
        names->setCurrentRow(1);
        QTest::mouseClick(ButtonReading(shown, QStringLiteral("OK")), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.firstChecked, BST_CHECKED);
    EXPECT_EQ(dialog.secondChecked, BST_CHECKED);
    EXPECT_EQ(dialog.selected, 1);
}

} // namespace
} // namespace vellum::test
