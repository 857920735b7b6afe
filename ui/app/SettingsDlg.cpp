#include "ui/app/SettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

#include "chart/ChartView.h"
#include "ui/app/AppSettings.h"
#include "ui/chart/SchoolChoices.h"
#include "ui/chart/ZiWeiDlg.h"

namespace qelvar {

namespace {

QComboBox* Choice(QWidget* parent, const QString& first, const QString& second, bool secondOn) {
    auto* box = new QComboBox(parent);
    box->addItems({first, second});
    box->setCurrentIndex(secondOn ? 1 : 0);
    return box;
}

QLabel* Explanation(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::PlaceholderText));
    label->setPalette(p);
    return label;
}

}  // namespace

SettingsDlg::SettingsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("设置"));
    const ChartConventions c = LoadConventions();
    m_lateZi = Choice(this, tr("算当天（默认）"), tr("算次日"), c.lateZi == LateZi::NextDay);
    m_leapMonth = Choice(this, tr("整月算前一月（默认）"), tr("十五日前算前一月，十六日起算下一月"),
                         c.leapMonth == LeapMonthRule::Split);
    m_yearStart =
        Choice(this, tr("正月初一（默认）"), tr("立春"), c.yearStart == YearStart::Lichun);
    auto* form = new QFormLayout;
    form->addRow(tr("夜子时 (23-24 点)"), m_lateZi);
    form->addRow(QString(), Explanation(this, tr("23 点到 24 点出生：排盘用当天的农历日，"
                                                 "或用下一天的农历日与日柱。")));
    form->addRow(tr("闰月"), m_leapMonth);
    form->addRow(QString(), Explanation(this, tr("闰月出生：整月按它所闰的月份排，"
                                                 "或以十六日为界，后半月按下一个月排。")));
    form->addRow(tr("年的开始"), m_yearStart);
    form->addRow(QString(), Explanation(this, tr("命盘的年份从正月初一算起，"
                                                 "或从立春那天算起。")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDlg::reject);
    m_school = new SchoolChoices(this);
    m_school->SetValue(c.school);
    // How charts are drawn.
    m_palette = Choice(this, tr("命盘本色（默认）"), tr("清晰配色"), LoadClearPalette());
    m_palette->setObjectName(QStringLiteral("palette"));
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->addItem(tr("适合屏幕（默认）"), 0.0);
    for (double z = 1.0; z <= 3.0; z += kZoomStep)
        m_zoom->addItem(QStringLiteral("%1%").arg(qRound(z * 100)), z);
    m_zoom->setCurrentIndex(std::max(0, m_zoom->findData(LoadChartZoom())));
    auto* view = new QFormLayout;
    view->addRow(tr("配色"), m_palette);
    view->addRow(tr("命盘缩放"), m_zoom);
    view->addRow(QString(), Explanation(this, tr("清晰配色让每种文字与白底的对比"
                                                 "至少 3:1；缩放是命盘窗口打开时的大小。")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_school);
    layout->addLayout(view);
    layout->addWidget(Explanation(this, tr("排盘时的规则与默认不同时，"
                                           "命盘标题会写明所用的规则。")));
    layout->addWidget(buttons);
}

ChartConventions SettingsDlg::Conventions() const {
    ChartConventions c;
    c.lateZi = m_lateZi->currentIndex() == 1 ? LateZi::NextDay : LateZi::SameDay;
    c.leapMonth = m_leapMonth->currentIndex() == 1 ? LeapMonthRule::Split : LeapMonthRule::Whole;
    c.yearStart = m_yearStart->currentIndex() == 1 ? YearStart::Lichun : YearStart::NewYear;
    c.school = m_school->Value();
    return c;
}

void SettingsDlg::accept() {
    SaveConventions(Conventions());
    SaveClearPalette(m_palette->currentIndex() == 1);
    SaveChartZoom(m_zoom->currentData().toDouble());
    AppSettings().sync();
    QDialog::accept();
    CZiWeiDlg::ApplySettingsToOpenCharts();
}

}  // namespace qelvar
