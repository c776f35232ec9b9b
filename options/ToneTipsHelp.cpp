#include "options/ToneTipsHelp.h"

#include <string>

#include "radio/RogerBeep.h"

namespace {

namespace T = RogerBeepTexts;

// A caption without its keyboard mark: "&Play" is "Play", "播放(&P)" is "播放".
std::string plain(std::string_view caption)
{
    std::string text(caption);
    if (const auto mark = text.find("(&"); mark != std::string::npos)
        text.erase(mark, 4);
    std::erase(text, '&');
    return text;
}

HelpText label(const TextEntry &entry)
{
    return {plain(entry[English]), plain(entry[Chinese])};
}

SettingHelp toneHelp(int tone, bool frequency)
{
    const TextEntry &name = T::kToneNames[tone];
    const TextEntry &column = frequency ? T::kFrequency : T::kToneLong;
    const std::string number = std::to_string(tone + 1);
    SettingHelp help{(frequency ? "Combo3_" : "Combo4_") + std::to_string(tone),
                     {std::string(name[English]) + ": " + std::string(column[English]),
                      std::string(name[Chinese]) + "：" + std::string(column[Chinese])},
                     {},
                     {}};
    if (frequency) {
        help.tooltip = {"Pitch of tone " + number +
                            ": None (a rest) or 400 to 2550 Hz in steps "
                            "of 10 Hz.",
                        "第" + number + "个音的频率：无（静音）或 400 至 2550 Hz，步长 10 Hz。"};
        help.paragraph = {
            "The pitch of tone " + number +
                " of the set, stored in units of 10 Hz. None makes the tone a rest: it keeps its "
                "duration and sounds nothing. The picture below shows the sounding tones as bars "
                "as high as their pitch.",
            "本组第" + number +
                "个音的频率，以10 Hz为单位存储。选“无”时该音为静音：保留音长但不发声。"
                "下方的图形以与频率同高的条形显示发声的音。"};
    } else {
        help.tooltip = {"Length of tone " + number + ": 0 to 2550 ms in steps of 10 ms.",
                        "第" + number + "个音的音长：0 至 2550 ms，步长 10 ms。"};
        help.paragraph = {
            "How long tone " + number +
                " lasts, stored in units of 10 ms; a tone of 0 ms is passed by. The only defined "
                "set cannot lose its last tone: the box then returns to the stored length.",
            "第" + number +
                "个音持续的时间，以10 ms为单位存储；0 "
                "ms的音被跳过。唯一已定义的组不能失去最后一个音："
                "此时列表恢复为已存储的音长。"};
    }
    return help;
}

} // namespace

WindowHelp toneTipsWindowHelp()
{
    WindowHelp page{
        "FrmToneTips",
        label(T::kCaption),
        {"The eight roger-beep tone sets: the short tone sequence the radio can send at the end of "
         "a transmission. Channels and the public-channel parameters choose a set by its number. "
         "A set is defined when it plays at least once and one of its tones lasts longer than "
         "0 ms; only defined sets are offered to the channels. New documents hold sets 1 to 5. "
         "The sets are read from and written to the radio at 0x20100-0x201FF, 32 bytes a set.",
         "八组尾音（RB音）：电台在发射结束时可发送的短音序列。信道和公共信道参数按编号选择一组。"
         "循环次数至少为1且有一个音的音长大于0 ms的组为已定义的组；只有已定义的组提供给信道选择。"
         "新文档含第1至5组。各组在电台地址 0x20100-0x201FF 读出和写入，每组32字节。"},
        {}};
    auto &settings = page.settings;
    settings.push_back(
        {"TabStrip1",
         {"RB Tone 1-8", "RB音 1-8"},
         {"The set shown: one tab a set, 1 to 8.", "显示的组：每组一个标签，1 至 8。"},
         {"Choose the tab of the set to see and edit it; Play plays the set of the tab shown.",
          "选择某组的标签即可查看和编辑该组；播放按钮播放当前标签的组。"}});
    settings.push_back(
        {"Combo1",
         label(T::kRecycleTimes),
         {"How often the sequence plays: Off or 1 to 10. Off leaves the set undefined.",
          "序列播放的次数：关或 1 至 10。选关时该组为未定义。"},
         {"How many times the set's sequence plays. Off makes the set undefined, and channels "
          "that chose it lose their choice; Off is refused while this is the only defined set.",
          "该组序列播放的次数。选关时该组成为未定义，选用它的信道失去该选择；当它是唯一已定义的组时"
          "不能选关。"}});
    settings.push_back(
        {"Combo2",
         label(T::kInterTime),
         {"Pause after each pass of the sequence: 0 to 2550 ms in steps of 10 ms.",
          "每遍序列之后的停顿：0 至 2550 ms，步长 10 ms。"},
         {"The pause after each pass of the sequence, stored in units of 10 ms. New documents "
          "hold 0 for every set.",
          "每遍序列之后的停顿，以10 ms为单位存储。新文档中各组均为0。"}});
    for (int tone = 0; tone < kTonesPerSet; ++tone) {
        settings.push_back(toneHelp(tone, true));
        settings.push_back(toneHelp(tone, false));
    }
    settings.push_back(
        {"Command1",
         label(T::kPlay),
         {"Plays the set shown on the computer's speaker.", "在电脑扬声器上播放当前显示的组。"},
         {"Plays the set of the tab shown on the computer's speaker, as often as its recycle "
          "times say, with its pause after each pass. The button is disabled while it plays.",
          "按循环次数在电脑扬声器上播放当前标签的组，每遍之后停顿间隔时间。播放时该按钮不可用。"}});
    settings.push_back({"Command2",
                        label(T::kStop),
                        {"Stops the preview before the next tone.", "在下一个音之前停止试听。"},
                        {"Ends the preview before its next tone; closing the window does the same.",
                         "在下一个音之前结束试听；关闭窗口也会停止。"}});
    settings.push_back(
        {"CommandWav",
         label(T::kSaveWav),
         {"Saves the set shown as a WAV sound file.", "将当前显示的组另存为WAV声音文件。"},
         {"Writes the sequence of the set shown, as the preview plays it, into a WAV file chosen "
          "in a file dialog.",
          "将当前组的序列按试听的方式写入在文件对话框中选择的WAV文件。"}});
    return page;
}
