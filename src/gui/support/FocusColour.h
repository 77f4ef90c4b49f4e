#pragma once

class QWidget;

// Input fields turn yellow, RGB(255, 255, 0), while they hold the focus and white when they
// lose it. Attach once per field; the colouring follows the field's focus events.
void attachFocusColour(QWidget *field);
