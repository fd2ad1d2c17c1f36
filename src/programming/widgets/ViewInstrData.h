#pragma once

#include "programming/link/LiveValue.h"
#include "programming/widgets/LinkWindow.h"

#include <QPoint>

#include <array>
#include <memory>

class CCommConfig;
class CNetworkAddMsgSetup;
class CTextSpin;
class QLabel;
class QStandardItemModel;
namespace Ui {
class FViewInstrData;
}

// The live view: shows what the live polling (CLivePoll) reads, until the user closes the
// window or the link fails. A grid holds one row per address (1 to 255); the zoom panel shows
// the instrument chosen in its address spin large, with four alarm lamps, and can be dragged
// about. The caption shows the search, then the address polled.
//   FViewInstrData view;
//   view.Create(commConfig, networkAdd);   // InterfaceType 1 or 2
//   view.exec();                           // polls until closed
class FViewInstrData : public CLinkWindow
{
    Q_OBJECT

public:
    static constexpr int kRows = 255;

    explicit FViewInstrData(QWidget *parent = nullptr);
    ~FViewInstrData() override;

    // Keeps both objects themselves: the search stores the address it finds in NetworkAdd.
    bool Create(CCommConfig &CommConfig, CNetworkAddMsgSetup &NetworkAdd);

protected:
    void RunLink() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Columns { colNetworkAdd, colVariableValue, colAlarm1, colCount = colAlarm1 + 4 };

    void ResetGrid();
    void PollingStarts();
    void UpdateDisplay(qint16 address, const CLiveValue &live);
    void SetGridNetworkAdd(qint16 address);
    void SetGridVariableValue(qint16 address, const QString &text);
    void SetGridAlarm(int alarm, qint16 address, bool active);
    void MoveZoomPanel(int dx, int dy);
    bool IsRS485() const;

    CCommConfig *m_pCommConfig = nullptr;
    CNetworkAddMsgSetup *m_pNetworkAdd = nullptr;
    QPoint m_Drag;

    std::unique_ptr<Ui::FViewInstrData> m_Ui;
    QStandardItemModel *m_rsInstrStatusData;
    std::array<QLabel *, 4> m_LedAlarm{};
    CTextSpin *m_spinNetworkAdd;
};
