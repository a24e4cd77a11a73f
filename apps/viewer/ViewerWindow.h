#pragma once
// The viewer's main window: the image view in a scroll area, the vector actions in a toolbar
// and a menu, the display controls, the file commands and the status bar. It owns the image,
// the overlay's item list and the UI host that the library's dialogs run on.

#include "DisplayPicture.h"
#include "QtUiHost.h"

#include <vellum/imaging/io/ImageFile.h>

#include <QMainWindow>

#include <map>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QScrollArea;
class QSpinBox;

namespace vellum {
class CGraphicItemList;
class CUiHost;
} // namespace vellum

namespace vellum::viewer {

class ImageView;

class ViewerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ViewerWindow(QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // Each tells the user in a message box naming the file why it failed, and then keeps
    // what was open.
    // An image, with the overlay beside it (same stem, .vla) when there is one.
    bool OpenImage(const QString& path);
    bool OpenOverlay(const QString& path);
    bool SaveOverlay(const QString& path);
    // The picture at zoom 1 with its overlay, as PNG, PDF or SVG by the file's extension.
    bool ExportPicture(const QString& path);
    // Asks whether to save unsaved changes; false when the user cancels.
    bool ConfirmDiscard();

    ImageView& View() const { return *m_view; }
    CGraphicItemList* List() const { return m_list.get(); }
    const CImageFileInfo& ImageInfo() const { return m_info; }
    QString OverlayPath() const { return m_overlayPath; }
    // The action of a vector action code; null when it is not offered.
    QAction* VectorActionFor(int code) const;
    void SetDisplay(const DisplaySettings& settings);
    const DisplaySettings& Display() const { return m_display; }
    double DisplayGamma() const { return m_gamma; }
    void SetZoom(double zoom);
    QString PositionText() const;
    QString CalibrationText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildDisplayControls();
    void UpdatePicture();
    void UseList(std::unique_ptr<CGraphicItemList> list, const QString& path);
    void ApplyImageCalibration();
    void SyncWithWindow();
    void ShowPointer(QPoint imagePoint, bool inside);
    void Fail(const QString& path, const QString& cause);
    void RememberFile(const QString& path);
    void RebuildRecentMenu();
    bool IsModified() const;
    QString DefaultOverlayPath() const;

    QtUiHost m_host;
    CUiHost* m_previousHost;
    QScrollArea* m_scroll;
    ImageView* m_view;
    std::unique_ptr<struct_LEAD_Bitmap> m_bitmap;
    CImageFileInfo m_info;
    std::unique_ptr<CGraphicItemList> m_list;
    QString m_imagePath;
    QString m_overlayPath;
    DisplaySettings m_display;
    double m_gamma = 1.0;

    QActionGroup* m_vectorGroup = nullptr;
    std::map<int, QAction*> m_vectorActions;
    QMenu* m_recentMenu = nullptr;
    QComboBox* m_modeBox = nullptr;
    QSpinBox* m_levelBox = nullptr;
    QSpinBox* m_widthBox = nullptr;
    QDoubleSpinBox* m_pBox = nullptr;
    QDoubleSpinBox* m_fractionBox = nullptr;
    QLabel* m_gammaLabel = nullptr;
    QLabel* m_positionLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QLabel* m_calibrationLabel = nullptr;
};

} // namespace vellum::viewer
