#include "ui/chart/SchoolChoices.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QSettings>

namespace qelvar {

namespace {

QComboBox* List(QWidget* parent, std::initializer_list<const char*> labels) {
    auto* box = new QComboBox(parent);
    for (const char* l : labels)
        box->addItem(QCoreApplication::translate("qelvar::SchoolChoices", l));
    return box;
}

template <typename E>
E At(const QComboBox* box) {
    return static_cast<E>(box->currentIndex());
}

template <typename E>
void Set(QComboBox* box, E v) {
    box->setCurrentIndex(static_cast<int>(v));
}

template <typename E, typename Parse>
E Read(QSettings& s, const char* key, Parse parse) {
    const QByteArray name = s.value(QStringLiteral("school/") + QLatin1String(key)).toByteArray();
    return parse(std::string_view(name.constData(), std::size_t(name.size()))).value_or(E{});
}

template <typename E>
void Write(QSettings& s, const char* key, E v) {
    const std::string_view name = ChoiceName(v);
    s.setValue(QStringLiteral("school/") + QLatin1String(key),
               QString::fromUtf8(name.data(), qsizetype(name.size())));
}

}  // namespace

SchoolChoices::SchoolChoices(QWidget* parent) : QWidget(parent) {
    m_preset = List(this, {QT_TR_NOOP("默认"), QT_TR_NOOP("通行"), QT_TR_NOOP("自定")});
    m_kuiYue = List(this, {QT_TR_NOOP("庚年 午/寅"), QT_TR_NOOP("庚年 丑/未")});
    m_tianMa = List(this, {QT_TR_NOOP("依生月"), QT_TR_NOOP("依年支")});
    m_bodyRulerZi = List(this, {QT_TR_NOOP("铃星"), QT_TR_NOOP("火星")});
    m_jieKong = List(this, {QT_TR_NOOP("截空"), QT_TR_NOOP("截路 空亡")});
    m_geng = List(this, {QT_TR_NOOP("太阳 武曲 太阴 天同"), QT_TR_NOOP("太阳 武曲 天府 天同"),
                         QT_TR_NOOP("太阳 武曲 天同 太阴")});
    m_wu = List(this, {QT_TR_NOOP("贪狼 太阴 右弼 天机"), QT_TR_NOOP("贪狼 太阴 太阳 天机")});
    m_ren = List(this, {QT_TR_NOOP("天梁 紫微 左辅 武曲"), QT_TR_NOOP("天梁 紫微 天府 武曲")});
    m_godNames = List(this, {QT_TR_NOOP("太岁 … 凶神"), QT_TR_NOOP("岁建 … 病符")});
    m_stars = List(this, {QT_TR_NOOP("本盘星曜"), QT_TR_NOOP("加 天德 月德 年解 旬空 来因 小限")});
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("流派"), m_preset);
    form->addRow(tr("天魁 天钺"), m_kuiYue);
    form->addRow(tr("天马"), m_tianMa);
    form->addRow(tr("子年身主"), m_bodyRulerZi);
    form->addRow(tr("截空"), m_jieKong);
    form->addRow(tr("庚干四化"), m_geng);
    form->addRow(tr("戊干四化"), m_wu);
    form->addRow(tr("壬干四化"), m_ren);
    form->addRow(tr("神煞名"), m_godNames);
    form->addRow(tr("星曜"), m_stars);

    connect(m_preset, &QComboBox::activated, this, [this](int i) {
        if (i == 2) return;
        SetValue(*ParsePreset(i == 0 ? "default" : "common"));
        emit Changed();
    });
    for (QComboBox* box :
         {m_kuiYue, m_tianMa, m_bodyRulerZi, m_jieKong, m_geng, m_wu, m_ren, m_godNames, m_stars})
        connect(box, &QComboBox::activated, this, [this] {
            SetValue(Value());  // the preset list follows
            emit Changed();
        });
}

School SchoolChoices::Value() const {
    School s;
    s.kuiYue = At<KuiYueRule>(m_kuiYue);
    s.tianMa = At<TianMaRule>(m_tianMa);
    s.bodyRulerZi = At<BodyRulerZi>(m_bodyRulerZi);
    s.jieKong = At<JieKongRule>(m_jieKong);
    s.mutagenGeng = At<MutagenGeng>(m_geng);
    s.mutagenWu = At<MutagenWu>(m_wu);
    s.mutagenRen = At<MutagenRen>(m_ren);
    s.godNames = At<GodNames>(m_godNames);
    s.stars = At<StarSet>(m_stars);
    return s;
}

void SchoolChoices::SetValue(const School& s) {
    Set(m_kuiYue, s.kuiYue);
    Set(m_tianMa, s.tianMa);
    Set(m_bodyRulerZi, s.bodyRulerZi);
    Set(m_jieKong, s.jieKong);
    Set(m_geng, s.mutagenGeng);
    Set(m_wu, s.mutagenWu);
    Set(m_ren, s.mutagenRen);
    Set(m_godNames, s.godNames);
    Set(m_stars, s.stars);
    m_preset->setCurrentIndex(s == *ParsePreset("default")  ? 0
                              : s == *ParsePreset("common") ? 1
                                                            : 2);
}

School LoadSchool(QSettings& settings) {
    School s;
    s.kuiYue = Read<KuiYueRule>(settings, "kuiYue", ParseKuiYue);
    s.tianMa = Read<TianMaRule>(settings, "tianMa", ParseTianMa);
    s.bodyRulerZi = Read<BodyRulerZi>(settings, "bodyRulerZi", ParseBodyRulerZi);
    s.jieKong = Read<JieKongRule>(settings, "jieKong", ParseJieKong);
    s.mutagenGeng = Read<MutagenGeng>(settings, "mutagenGeng", ParseMutagenGeng);
    s.mutagenWu = Read<MutagenWu>(settings, "mutagenWu", ParseMutagenWu);
    s.mutagenRen = Read<MutagenRen>(settings, "mutagenRen", ParseMutagenRen);
    s.godNames = Read<GodNames>(settings, "godNames", ParseGodNames);
    s.stars = Read<StarSet>(settings, "stars", ParseStarSet);
    return s;
}

void SaveSchool(QSettings& settings, const School& s) {
    Write(settings, "kuiYue", s.kuiYue);
    Write(settings, "tianMa", s.tianMa);
    Write(settings, "bodyRulerZi", s.bodyRulerZi);
    Write(settings, "jieKong", s.jieKong);
    Write(settings, "mutagenGeng", s.mutagenGeng);
    Write(settings, "mutagenWu", s.mutagenWu);
    Write(settings, "mutagenRen", s.mutagenRen);
    Write(settings, "godNames", s.godNames);
    Write(settings, "stars", s.stars);
}

}  // namespace qelvar
