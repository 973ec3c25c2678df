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

void RegisterDialogTemplates(win::Module& module);
