#pragma once

#include "ui/readercontext.h"

#include <QDialog>

// Form4 "常见问题": questions and answers about the program, and a link to
// the maker's feedback page.
class FaqWindow : public QDialog
{
    Q_OBJECT

public:
    static const QString &questionsAndAnswers();

    FaqWindow(const ReaderContext &context, QWidget *parent = nullptr);

private:
    ReaderContext m_context;
};
