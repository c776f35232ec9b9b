// Opens the channel window offscreen on a document whose every group is full, switches through
// every group of every kind, then types 40 frequencies into an empty group, chooses one mode for
// the 99 selected channels of a MEM group (goal: under 20 ms), and prints the median
// and worst time per group switch and per committed frequency (goals: under 5 ms for a 99-row
// group, under 2 ms per frequency).
#include <QApplication>
#include <QComboBox>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "channels/ChannelRecords.h"
#include "channels/frmCommChInfo.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/MainWindowHost.h"

namespace {

using Clock = std::chrono::steady_clock;

// The little of a main window the channel window asks for.
class BenchHost : public MainWindowHost
{
public:
    DocumentNotifier &notifier() override { return m_notifier; }
    QWidget *openChildWindow(const QString &) override { return nullptr; }
    QWidget *childWindow(const QString &) const override { return nullptr; }
    QWidget *activeChildWindow() const override { return nullptr; }
    void closeAllChildWindows() override {}
    void cascade() override {}
    void relabel() override {}
    void updateTitle() override {}
    void documentReplaced() override {}
    void commitPendingEdits() override {}
    bool settlePendingChoices() override { return true; }
    bool offerToSave() override { return true; }
    QWidget *dialogParent() override { return nullptr; }
    QString dataFileFilter() const override { return {}; }
    void showHelp(const QString &) override {}
    void runCommand(MainCommand) override {}

private:
    DocumentNotifier m_notifier;
};

void fill(DocumentSet &document)
{
    const BandLimits wide{24.715, 30.105};
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int group = 1; group <= groupCount(kind); ++group) {
            document.settings.options.groupNames.valid.at(kind, group) = 1;
            // The group selector finds a group by its name, so every group gets its own.
            document.settings.options.groupNames.names.at(kind, group)
                .assign(std::string(1, static_cast<char>('A' + group - 1)));
            const int rows = kind == CB && group == 3 ? 80 : groupCapacity(kind, group);
            for (int number = 1; number <= rows; ++number)
                AddChannel(document, kind, group, number, "28.50000", wide);
        }
    for (int memory = 1; memory <= kMemoryChannelCount; ++memory) {
        document.memories.at(memory).Present = 1;
        document.memories.at(memory).MemChannelId = static_cast<std::int16_t>(memory % 40 + 1);
    }
    document.memories.count = kMemoryChannelCount;
}

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void report(const char *what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-34s n=%3zu  median %.3f ms  worst %.3f ms\n", what, times.size(),
                times[times.size() / 2], times.back());
}

void choose(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppContext context;
    BenchHost host;
    fill(context.document.working());
    context.document.setBandText("28.0000 - 29.7000 MHz");
    context.document.working().settings.currentKind = HAM;

    frmCommChInfo window(context, host);
    window.resize(900, 650);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::fprintf(stderr, "the window did not become active\n");
    auto *kinds = window.findChild<QComboBox *>(QStringLiteral("Combo7"));
    auto *groups = window.findChild<QComboBox *>(QStringLiteral("Combo6"));
    auto *grid = window.findChild<QTableView *>(QStringLiteral("MSFlexGrid1"));

    std::vector<double> switches;
    std::vector<double> bigSwitches;
    for (int pass = 0; pass < 5; ++pass)
        for (int kind : {CB, HF, HAM}) {
            choose(kinds, kind);
            QApplication::processEvents();
            for (int g = 0; g < groups->count(); ++g) {
                const auto start = Clock::now();
                choose(groups, g);
                // Layout and painting of the new rows belong to the switch.
                QApplication::processEvents();
                const double t = ms(Clock::now() - start);
                switches.push_back(t);
                if (grid->model()->rowCount() == 99)
                    bigSwitches.push_back(t);
            }
        }

    // An empty HAM group to type into.
    choose(kinds, HAM);
    DocumentSet &document = context.document.working();
    while (document.channelCount(HAM, 2) > 1)
        RemoveChannelEntry(document, HAM, 2, document.channelCount(HAM, 2));
    choose(groups, 1);
    QApplication::processEvents();
    std::vector<double> commits;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    for (int row = 2; row <= 40; ++row) {
        const QByteArray typed = QByteArray("28.") + QByteArray::number(100 + row);
        for (char c : typed)
            QTest::keyClick(QApplication::focusWidget(), c);
        const auto start = Clock::now();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        commits.push_back(ms(Clock::now() - start));
    }
    // Every row of the HAM MEM group (99 channels) selected, then one detail chosen for them all.
    choose(groups, memGroup(HAM) - 1);
    QApplication::processEvents();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    grid->selectAll();
    auto *mode = window.findChild<QComboBox *>(QStringLiteral("Combo8_12"));
    std::vector<double> bulkEdits;
    for (int pass = 0; pass < 10; ++pass) {
        const auto start = Clock::now();
        choose(mode, pass % 2 == 0 ? 1 : 2);
        QApplication::processEvents();
        bulkEdits.push_back(ms(Clock::now() - start));
    }
    report("group switch, every group", switches);
    report("group switch, 99-row groups", bigSwitches);
    report("committed frequency (Enter)", commits);
    report("one choice for 99 selected rows", bulkEdits);
    int chosen = 0;
    for (int index = 1; index <= document.channelCount(HAM, memGroup(HAM)); ++index)
        chosen += document.channels.entry(HAM, memGroup(HAM), index).Mode == 2 ? 1 : 0;
    std::printf("channels of the HAM MEM group that took the last choice: %d of %d\n", chosen,
                document.channelCount(HAM, memGroup(HAM)));
    std::printf("channels in HAM group 2 after typing: %d\n", document.channelCount(HAM, 2));
    return 0;
}
