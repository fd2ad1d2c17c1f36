#pragma once

class QWidget;

// Forms are designed with the string-table numbers of their texts on the controls; when a form
// loads these put the texts in their place and give every control the program font. Call, in
// its load handler: SetControlsFont, LoadCaptionResources, LoadToolTipResources; the main
// window also LoadMenuResources, after its status-bar help has read the numeric captions.
//
// Where the numbers are kept:
//   the form, QLabel, QGroupBox, QRadioButton, QCheckBox     property "tag" -> title, text
//   QLineEdit, QTextEdit, QPlainTextEdit, QComboBox, QToolBar,
//   QGroupBox, a plain QFrame, UpDownControl, QRadioButton   tooltip "262"  -> tooltip
//   menu-bar items (QAction)                                 text "1000"    -> text, the
//                                                            number moves to property "tag"
// A holder without a number, or with one the table lacks, keeps what it was designed with.
inline constexpr char kTagProperty[] = "tag";

void SetControlsFont(QWidget *form);
void LoadCaptionResources(QWidget *form);
void LoadToolTipResources(QWidget *form);
void LoadMenuResources(QWidget *form);
