#include "app/windowcommands.h"

#include <QtGlobal>

#include <array>

namespace sarvo::app {
namespace {

// Tips that both tool bars show.
constexpr const char* kNewTip =
    QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "新規に作成する曲名を付けます。");
constexpr const char* kOpenTip =
    QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "曲名やコメントの変更を行います。");
constexpr const char* kSaveTip =
    QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "編集中の曲を保存します。");
constexpr const char* kFolderTip =
    QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "曲が保存されているﾌｫﾙﾀﾞをｴｸｽﾌﾟﾛｰﾗで開きます");

constexpr std::array kProgramButtons = {
    CommandButton{WindowCommand::New, u"New",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "新規"), kNewTip},
    CommandButton{WindowCommand::Open, u"Open",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "変更"), kOpenTip},
    CommandButton{WindowCommand::Save, u"Save",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "保存"), kSaveTip},
    CommandButton{WindowCommand::Folder, u"Folder",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "フォルダ"), kFolderTip},
    CommandButton{WindowCommand::Mail, u"Mail",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "メール F10"),
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar",
                                    "曲データのメール送受信(PHSとの着信音交換も可能)")},
    CommandButton{
        WindowCommand::Comm, u"Comm",
        QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "ケーブル F11"),
        QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "シリアルケーブルでの着信音編集")},
    CommandButton{WindowCommand::Change, u"Change",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "全タイプ変換 F3"),
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar",
                                    "１機種の携帯電話の着信音操作手順を全タイプに変換。")},
    CommandButton{WindowCommand::Server, u"Server",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "曲サーバ"),
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar",
                                    "サーバから曲をダウンロード・アップロードします。")},
    CommandButton{WindowCommand::Settings, u"Set",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "設定 F2"),
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "Sarvo の各種設定をします")},
    CommandButton{WindowCommand::Help, u"Help",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "ヘルプ F1"),
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "ヘルプを起動します")},
    CommandButton{WindowCommand::Close, u"Close",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "終了 F12"),
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "Sarvo を終了します")},
};

constexpr std::array kSongButtons = {
    CommandButton{WindowCommand::New, u"New",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "新規 F6..."), kNewTip},
    CommandButton{WindowCommand::Open, u"Open",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "変更 F7..."), kOpenTip},
    CommandButton{WindowCommand::Save, u"Save",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "保存 F8..."), kSaveTip},
    CommandButton{WindowCommand::Delete, u"Del",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "削除 F9"),
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "選択している曲を削除します。")},
    CommandButton{WindowCommand::Folder, u"Folder",
                  QT_TRANSLATE_NOOP("sarvo::app::CommandToolBar", "フォルダ"), kFolderTip},
};

// Index = function key number - 1.
constexpr std::array kFunctionKeys = {
    WindowCommand::Help,    WindowCommand::Settings, WindowCommand::Change, WindowCommand::Play,
    WindowCommand::Refresh, WindowCommand::New,      WindowCommand::Open,   WindowCommand::Save,
    WindowCommand::Delete,  WindowCommand::Mail,     WindowCommand::Comm,   WindowCommand::Close,
};

} // namespace

std::span<const CommandButton> programToolbarButtons() {
    return kProgramButtons;
}

std::span<const CommandButton> songToolbarButtons() {
    return kSongButtons;
}

std::optional<WindowCommand> commandForFunctionKey(int number) {
    if (number < 1 || number > static_cast<int>(kFunctionKeys.size()))
        return std::nullopt;
    return kFunctionKeys[static_cast<size_t>(number - 1)];
}

bool runsWhilePlaying(WindowCommand command) {
    return command == WindowCommand::Play || command == WindowCommand::Close;
}

} // namespace sarvo::app
