#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class FAbout;
}

// "Information about IxoSoft...": logos, name, version, maker, support and legal notice; OK
// closes it. The main window shows it modal, as its owner.
class FAbout : public QDialog
{
    Q_OBJECT

public:
    explicit FAbout(QWidget *parent = nullptr);
    ~FAbout() override;

private:
    std::unique_ptr<Ui::FAbout> ui;
};
