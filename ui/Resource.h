#pragma once
// Identifiers of the library's resources: strings, dialog templates, menus, the controls of
// the templates and the commands of the menus. Strings and dialogs are separate kinds of
// resource, so a number may name one of each.

#include <vellum/platform/Types.h>

namespace vellum {

// Strings.
constexpr UINT IDS_PROPERTIES = 24000;         // "Propietà"
constexpr UINT IDS_COLOR = 24001;              // "Colore", the colour page's tab
constexpr UINT IDS_PIXELS = 24002;             // "Pixels"
constexpr UINT IDS_NOT_CALIBRATED = 24003;     // "Immagine non calibrata!"
constexpr UINT IDS_CROP_IMAGE = 24004;         // "Taglia immagine"
constexpr UINT IDS_HORIZONTAL_ONLY = 24013;    // "Solo calibrazione orizzontale"
constexpr UINT IDS_VERTICAL_ONLY = 24014;      // "Solo calibrazione verticale"
constexpr UINT IDS_BOTH_AXES = 24015;          // "Calibrazione orizzontale e verticale"
constexpr UINT IDS_BAD_SYMBOL_LIBRARY = 24016; // "Simbolo errato file libreria!"

// Dialog templates.
constexpr UINT IDD_DENSITY_PROFILE_PP = 102;
constexpr UINT IDD_COLOR_PP = 24003;
constexpr UINT IDD_CALIBRATION = 24006;
constexpr UINT IDD_SYMBOL_DEFINITION = 24007;
constexpr UINT IDD_SYMBOL_SELECTION = 24008;
constexpr UINT IDD_FONT_PP = 24009;
constexpr UINT IDD_LINE_PP = 24010;
constexpr UINT IDD_SYMBOL_PP = 24011;
constexpr UINT IDD_ADVANCED_CALIBRATION = 24012;
constexpr UINT IDD_TEXT_PP = 24016;
constexpr UINT IDD_SYMBOL_OPTIONS = 24017;

// Menus: "GRAPHIC_ITEM_MENU" is known by its name.
constexpr const char* IDR_GRAPHIC_ITEM_MENU = "GRAPHIC_ITEM_MENU";
constexpr UINT IDR_CROPPING_MENU = 24017;

// Menu commands.
constexpr UINT ID_PROPERTIES = 49500;
constexpr UINT ID_CROPPING = 49501;

// Controls.
constexpr int IDC_CURRENT_VALUE = 24250;
constexpr int IDC_SELECT_COLOR = 24252;
constexpr int IDC_ACTUAL_VALUE = 24253;
constexpr int IDC_COLOR_DEFAULT = 24254;
constexpr int IDC_GROUP_LIST = 24255;
constexpr int IDC_SYMBOL_LIST = 24256;
constexpr int IDC_SELECT_FONT = 24257;
constexpr int IDC_FONT_DEFAULT = 24258;
constexpr int IDC_LINE_WIDTH = 24259;
constexpr int IDC_LINE_SPIN = 24260;
constexpr int IDC_LINE_DEFAULT = 24261;
constexpr int IDC_SYMBOL_DEF_NAME = 24262;
constexpr int IDC_SYMBOL_DEF_HEIGHT = 24263;
constexpr int IDC_SYMBOL_DEF_WIDTH = 24264;
constexpr int IDC_FREEZE_SYMBOL = 24265;
constexpr int IDC_SYMBOL_NAME = 24266;
constexpr int IDC_SYMBOL_INFO = 24267;
constexpr int IDC_SYMBOL_DEF_INFO = 24269;
constexpr int IDC_DIRECTION_BUTTON = 24270;
constexpr int IDC_DIRECTION = 24271;
constexpr int IDC_HORIZONTAL_ONLY = 24272;
constexpr int IDC_VERTICAL_ONLY = 24273;
constexpr int IDC_BOTH_AXES = 24274;
constexpr int IDC_TEXT = 24275;
constexpr int IDC_SCALE_MIN = 24276;
constexpr int IDC_SCALE_MAX = 24277;
constexpr int IDC_SYMBOL_OPTIONS = 24278;
constexpr int IDC_GROUP_CHECK_LIST = 24279;
constexpr int IDC_SYMBOL_CHECK_LIST = 24280;

} // namespace vellum
