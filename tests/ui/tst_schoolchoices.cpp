// The settings block of the school readings: a preset sets every list, a
// single list overrides it (the preset list then shows 自定), and the
// choices survive the settings file.  With QELVAR_SHOT=<file> it saves a
// picture of the block.
#include <QComboBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "ui/chart/SchoolChoices.h"

using namespace qelvar;

class TestSchoolChoices : public QObject {
    Q_OBJECT
private slots:
    void presetThenSwitch() {
        SchoolChoices w;
        const QList<QComboBox*> boxes = w.findChildren<QComboBox*>();
        QCOMPARE(boxes.size(), 10);
        QComboBox* preset = boxes[0];
        QCOMPARE(preset->currentText(), QStringLiteral("默认"));
        QVERIFY(w.Value().IsDefault());

        preset->setCurrentIndex(1);
        emit preset->activated(1);
        QCOMPARE(w.Value(), *ParsePreset("common"));
        QCOMPARE(boxes[4]->currentText(), QStringLiteral("截路 空亡"));

        boxes[9]->setCurrentIndex(0);  // 星曜 back to the chart's own
        emit boxes[9]->activated(0);
        QCOMPARE(preset->currentText(), QStringLiteral("自定"));
        School expected = *ParsePreset("common");
        expected.stars = StarSet::Table;
        QCOMPARE(w.Value(), expected);
        if (const QByteArray shot = qgetenv("QELVAR_SHOT"); !shot.isEmpty()) {
            w.resize(w.sizeHint());
            w.grab().save(QString::fromLocal8Bit(shot));
        }
    }

    void remembered() {
        QTemporaryDir dir;
        QSettings file(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        School s{.jieKong = JieKongRule::Pair, .mutagenGeng = MutagenGeng::YangWuTongYin};
        SaveSchool(file, s);
        QCOMPARE(file.value(QStringLiteral("school/mutagenGeng")).toString(),
                 QStringLiteral("阳武同阴"));
        QCOMPARE(LoadSchool(file), s);
        file.setValue(QStringLiteral("school/stars"), QStringLiteral("rare"));
        QCOMPARE(LoadSchool(file).stars, StarSet::Table);
    }
};

QTEST_MAIN(TestSchoolChoices)
#include "tst_schoolchoices.moc"
