#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class FSplash;
}

// The window that stands on the screen while the program starts: logos, name, version,
// platform, maker and legal notice. It has no commands; start-up closes it.
class FSplash : public QWidget
{
    Q_OBJECT

public:
    explicit FSplash(QWidget *parent = nullptr);
    ~FSplash() override;

private:
    std::unique_ptr<Ui::FSplash> ui;
};
