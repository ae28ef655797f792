#pragma once

class QBoxLayout;
class QLineEdit;
class QScrollBar;
class QString;
class QWidget;

// A source's page box and page spinner: the box starts at "1", the spinner
// runs 1 to 99; moving the spinner writes its value into the box, and a box
// text that is not numeric or is exactly "0" goes back to "1".
void wirePageBox(QLineEdit *pageBox, QScrollBar *spinner);

// Adds "页码：", a page box named `boxName` and its spinner named
// `spinnerName` to `row`, wired as above; returns the box.
QLineEdit *addPageBox(QBoxLayout *row, QWidget *parent, const QString &boxName, const QString &spinnerName);
