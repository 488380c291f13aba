#pragma once

class QProgressBar;
class QWidget;

// The progress bar of the dialogs: a thick yellow bar on a dark trough, no text.
namespace DialogProgressBar {
QProgressBar* create(QWidget* parent);
}
