#pragma once

#include <QDialog>

namespace Ui {
class About;
}

// Help -> "About": the icon, the name and build flavour, and a credit with two links that open
// in the browser. Lives only while it is shown.
class About : public QDialog
{
    Q_OBJECT

public:
    About(QWidget *parent, const QString &version);
    ~About() override;

private:
    Ui::About *ui;
};
