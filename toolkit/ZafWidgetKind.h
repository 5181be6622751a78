#pragma once

// Which widget a presenter shows an object with. Each kind names the toolkit
// class its objects derive from, so a presenter may treat an object of that
// kind as one of that class.
enum class ZafWidgetKind {
  kNone,          // ZafWindowObject: a frame decoration the window system draws
  kPlain,         // ZafWindowObject: an empty area
  kWindow,        // ZafWindow: a top-level window, a notebook page or a nested window
  kButton,        // ZafButton: push button, check box or radio button
  kGroup,         // ZafGroup
  kPrompt,        // ZafPrompt
  kTextField,     // ZafString (and ZafText)
  kIntegerField,  // ZafInteger
  kSpin,          // ZafSpinControl
  kComboBox,      // ZafComboBox
  kList,          // ZafList shown always open
  kScrollBar,     // ZafScrollBar
  kProgress,      // ZafProgressBar
  kImage,         // ZafImage
  kNotebook,      // ZafNotebook
  kMenu,          // ZafPopUpMenu
  kMenuItem,      // ZafPopUpItem
  kThumbnail,     // CThumbnail
  kPressure,      // CPressureTestWnd
  kCapture,       // CMouseCaptureWindow
  kScrollWindow,  // CScrollWindow
};
