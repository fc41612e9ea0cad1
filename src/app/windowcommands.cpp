#include "app/windowcommands.h"

#include <array>

namespace sarvo::app {
namespace {

constexpr std::u16string_view kFolderTip = u"曲が保存されているﾌｫﾙﾀﾞをｴｸｽﾌﾟﾛｰﾗで開きます";

constexpr std::array kProgramButtons = {
    CommandButton{WindowCommand::New, u"New", u"新規", u"新規に作成する曲名を付けます。"},
    CommandButton{WindowCommand::Open, u"Open", u"変更", u"曲名やコメントの変更を行います。"},
    CommandButton{WindowCommand::Save, u"Save", u"保存", u"編集中の曲を保存します。"},
    CommandButton{WindowCommand::Folder, u"Folder", u"フォルダ", kFolderTip},
    CommandButton{WindowCommand::Mail, u"Mail", u"メール F10",
                  u"曲データのメール送受信(PHSとの着信音交換も可能)"},
    CommandButton{WindowCommand::Comm, u"Comm", u"ケーブル F11", u"シリアルケーブルでの着信音編集"},
    CommandButton{WindowCommand::Change, u"Change", u"全タイプ変換 F3",
                  u"１機種の携帯電話の着信音操作手順を全タイプに変換。"},
    CommandButton{WindowCommand::Server, u"Server", u"曲サーバ",
                  u"サーバから曲をダウンロード・アップロードします。"},
    CommandButton{WindowCommand::Settings, u"Set", u"設定 F2", u"Sarvo の各種設定をします"},
    CommandButton{WindowCommand::Help, u"Help", u"ヘルプ F1", u"ヘルプを起動します"},
    CommandButton{WindowCommand::Close, u"Close", u"終了 F12", u"Sarvo を終了します"},
};

constexpr std::array kSongButtons = {
    CommandButton{WindowCommand::New, u"New", u"新規 F6...", u"新規に作成する曲名を付けます。"},
    CommandButton{WindowCommand::Open, u"Open", u"変更 F7...", u"曲名やコメントの変更を行います。"},
    CommandButton{WindowCommand::Save, u"Save", u"保存 F8...", u"編集中の曲を保存します。"},
    CommandButton{WindowCommand::Delete, u"Del", u"削除 F9", u"選択している曲を削除します。"},
    CommandButton{WindowCommand::Folder, u"Folder", u"フォルダ", kFolderTip},
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
