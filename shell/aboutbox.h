#pragma once
// The about box of the program.
#include "platform/forms.h"

class QLabel;

class TAboutBox : public TForm {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner = nullptr);

    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Comments;
    TButton* OKButton;
};
