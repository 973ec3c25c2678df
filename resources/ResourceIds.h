#pragma once
// Resource and control ids of the component library.

namespace win { class Module; }

// String table; the panel and its controls carry the same numbers as control ids, so the tooltip of
// a control is the string with its id.
constexpr unsigned IDS_FX1_CONTROL = 61446;
constexpr unsigned IDS_STEREO_DRY_MIXER = 61447;
constexpr unsigned IDS_FX_CONTOUR = 61448;
constexpr unsigned IDS_FX_MIDI_CONTROL = 61449;
constexpr unsigned IDS_FX_DEPTH_SLIDER = 61450;

// Dialog templates.
constexpr unsigned IDD_EDITOR_HOST = 200;
constexpr unsigned IDC_EDITOR_FRAME = 1035;
constexpr unsigned IDD_AUTOMATION_CONFIG = 183;
constexpr unsigned IDC_AUTOMATION_OK = 1016;
constexpr unsigned IDC_AUTOMATION_CANCEL = 1018;
constexpr unsigned IDC_AUTOMATION_PORT = 1031;
constexpr unsigned IDC_AUTOMATION_CHANNEL = 1032;
constexpr unsigned IDC_AUTOMATION_CONTROLLERS = 1034;
// The preset chooser popup: a title strip and the list of user presets.
constexpr unsigned IDD_PRESET_CHOOSER = 221;
constexpr unsigned IDC_PRESET_LIST = 1036;

// "Save Custom Effects" and "Load Custom Settings".
constexpr unsigned IDD_SAVE_PRESET = 176;
constexpr unsigned IDC_SAVE_LIST = 1000;
constexpr unsigned IDC_SAVE_NAME = 1002;
constexpr unsigned IDD_LOAD_PRESET = 177;
constexpr unsigned IDC_LOAD_LIST = 1005;

// The controller selections dialog: one list per automatable parameter and Reset All.
constexpr unsigned IDD_CONTROLLER_SELECTIONS = 180;
constexpr unsigned IDC_EFFECT_CONTROLLER = 1023;
constexpr unsigned IDC_LOWFREQ_CONTROLLER = 1015;
constexpr unsigned IDC_HIGHFREQ_CONTROLLER = 1016;
constexpr unsigned IDC_MIDFREQ_CONTROLLER = 1017;
constexpr unsigned IDC_MIDCUTOFF_CONTROLLER = 1018;
constexpr unsigned IDC_RESET_ALL = 1027;

// Bitmaps of the panel.
constexpr unsigned IDB_PANEL_BACKGROUND = 185;
constexpr unsigned IDB_COMPARE_SWITCH = 215;
constexpr unsigned IDB_LOAD_SAVE = 216;
constexpr unsigned IDB_HELP_CLOSE = 223;
constexpr unsigned IDB_CHOOSER_BACKGROUND = 222;
// Bitmaps of the contour control.
constexpr unsigned IDB_SLIDER_TRACK = 141;
constexpr unsigned IDB_SLIDER_HANDLE = 144;
constexpr unsigned IDB_SLIDER_HANDLE_SELECTED = 160;
constexpr unsigned IDB_LEVEL_BAR = 196;
constexpr unsigned IDB_BAND_TEXTURE = 199;
constexpr unsigned IDB_CUTOFF_MARKER = 145;
constexpr unsigned IDB_CUTOFF_MARKER_SELECTED = 161;
constexpr unsigned IDB_BYPASS_BUTTON = 220;
// Bitmaps of the stereo dry mixer.
constexpr unsigned IDB_FADER_TRACK = 159;
constexpr unsigned IDB_FADER_KNOB = 133;
constexpr unsigned IDB_FADER_KNOB_SELECTED = 157;
constexpr unsigned IDB_METER = 131;
constexpr unsigned IDB_READOUT_PLATE = 197;
constexpr unsigned IDB_LEFT_SWITCH = 189;
constexpr unsigned IDB_RIGHT_SWITCH = 191;
constexpr unsigned IDB_CLIP_INDICATOR = 219;

// The "Control Settings" menu of the two controls and its commands.
constexpr unsigned IDR_CONTROL_SETTINGS = 178;
constexpr unsigned ID_CONTROLS_MENU = 32848;
constexpr unsigned ID_DISPLAY_AUTOMATION_SETTINGS = 32845;
constexpr unsigned ID_CONFIGURE_AUTOMATION = 32850;

void RegisterDialogTemplates(win::Module& module);
void RegisterMenus(win::Module& module);
