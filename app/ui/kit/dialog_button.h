#pragma once

class QPushButton;
class QWidget;

// The buttons of the dialogs. They never take the keyboard focus themselves (the dialog reads
// the keys); the dialog marks the chosen one with the yellow focus colour.
namespace DialogButton {

constexpr int kHeight = 34;

QPushButton* create(QWidget* parent);
void setFocused(QPushButton* button, bool focused);
bool isFocused(const QPushButton* button);

}  // namespace DialogButton
