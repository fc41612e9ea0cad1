#include "common/englishtexts.h"

#include <array>
#include <vector>

namespace sarvo {
namespace {

constexpr std::u16string_view kPart = u"{}";

// Grouped by where the texts come from; a "{}" stands for a name, a count or a file.
constexpr auto kTexts = std::to_array<EnglishText>({
    // Songs and the song library
    {u"「{}」を保存しますか？", u"Save “{}”?"},
    {u"「{}」を削除してよろしいですか？", u"Delete “{}”?"},
    {u"保存する曲名がありません", u"There is no song name to save under"},
    {u"「{}」が既に存在します。上書きしてよろしいですか？", u"“{}” already exists. Overwrite it?"},
    {u"既に同じ曲名が存在します。", u"A song of that name already exists."},
    {u"ダウンロードした「{}」は、既に存在します。上書きしてよろしいですか？",
     u"The downloaded song “{}” already exists. Overwrite it?"},
    {u"ダウンロードした「{}」を読み込みました。", u"Loaded the downloaded song “{}”."},
    {u"曲名が、変更されていません。", u"The song name has not been changed."},
    {u"受信を曲を捨てます。よろしいですか？", u"Discard the received song?"},
    {u"曲名は必ず入力して下さい。", u"Please enter a song name."},
    {u"「」の保存", u"Save"},
    {u"「{}」の保存", u"Save “{}”"},
    {u"新規曲の指定", u"New song"},
    {u"「{}」の曲名／コメントの変更", u"Name and comment of “{}”"},
    {u"インポート曲の指定", u"Imported song"},
    {u"インポート中にファイルの読込で失敗しました。",
     u"Reading the file failed during the import."},
    {u"インポートするファイル名を正しく入力して下さい。",
     u"Please enter the name of the file to import."},
    {u"{} は既に起動されています", u"{} is already running"},
    // Song genres and parts
    {u"演歌", u"Enka"},
    {u"歌謡曲", u"Kayōkyoku"},
    {u"ＣＭソング", u"Commercial song"},
    {u"アニメ主題歌", u"Anime theme"},
    {u"テレビドラマ主題歌", u"TV drama theme"},
    {u"子供向け主題歌", u"Children's theme"},
    {u"映画・ミュージカル", u"Film, musical"},
    {u"ゲーム・パチンコ", u"Game, pachinko"},
    {u"応援歌", u"Cheering song"},
    {u"民謡", u"Folk song (min'yō)"},
    {u"童謡・唱歌・マーチ", u"Nursery song, school song, march"},
    {u"ダンスミュージック", u"Dance music"},
    {u"クラシック", u"Classical"},
    {u"ロック・ブルース", u"Rock, blues"},
    {u"ジャズ・フュージョン", u"Jazz, fusion"},
    {u"カントリー・フォーク", u"Country, folk"},
    {u"ラテン・ボサノバ・民族音楽", u"Latin, bossa nova, world music"},
    {u"シャンソン・カンツォーネ", u"Chanson, canzone"},
    {u"ポップス・ポピュラー", u"Pop"},
    {u"国歌・軍歌・抒情歌", u"Anthem, march, lyrical song"},
    {u"ｒ＆ｂ", u"R&B"},
    {u"クリスマス", u"Christmas"},
    {u"ウェディング", u"Wedding"},
    {u"ソナチネ・ソナタ", u"Sonatina, sonata"},
    {u"ディズニー", u"Disney"},
    {u"和音", u"Chord"},
    {u"イントロ", u"Intro"},
    {u"Aメロ", u"Verse A"},
    {u"Bメロ", u"Verse B"},
    {u"サビ", u"Chorus"},
    {u"間奏", u"Interlude"},
    {u"一曲丸々", u"Whole song"},
    // Note input
    {u"付点音符は、３連符／６連符の後に入力できません。m(_ _)m",
     u"A dotted note cannot follow a triplet or sextuplet. m(_ _)m"},
    {u"スラーは３連符／６連符の後に入力できません。m(_ _)m",
     u"A slur cannot follow a triplet or sextuplet. m(_ _)m"},
    {u"スラーは音の後か、連続して入力してください。休符の後は駄目です。m(_ _)m",
     u"Enter a slur after a note or after another slur, never after a rest. m(_ _)m"},
    {u"コピーのキー割り当てと重なっています。", u"This key is also the copy key."},
    {u"音の入力を行いますか？", u"Enter a note?"},
    {u"３連符・６連符は付点音符の後に入力できません。",
     u"A triplet or sextuplet cannot follow a dotted note."},
    {u"３連符・６連符は、４分音符／８分音符の後でしか入力できません。",
     u"A triplet or sextuplet can only follow a quarter or eighth note."},
    {u"前の音符分、音を伸ばします。連続して使用できます。",
     u"Holds the note for the length of the previous one; may be repeated."},
    {u"クリア sEsc", u"Clear sEsc"},
    {u"音の入力をクリアします。", u"Clears the note input."},
    {u"更新 F5", u"Refresh F5"},
    {u"携帯電話入力方法を再表示します。(A)～(M)を表示時、音の入力を行った際、使用してください。",
     u"Shows the phone key guide again; use it after entering notes while (A)–(M) is shown."},
    {u"[符点] キー入力：．", u"[Dot] key: ."},
    {u"[{}] キー入力：{}", u"[{}] key: {}"},
    {u"⌒ ｽﾗｰ {}", u"⌒ Slur {}"},
    {u"全音符", u"whole note"},
    {u"2分音符", u"half note"},
    {u"4分音符", u"quarter note"},
    {u"8分音符", u"eighth note"},
    {u"16分音符", u"sixteenth note"},
    {u"全休符", u"whole rest"},
    {u"2分休符", u"half rest"},
    {u"4分休符", u"quarter rest"},
    {u"8分休符", u"eighth rest"},
    {u"16分休符", u"sixteenth rest"},
    // Phone types and key guides
    {u"変換エラー！", u"Conversion error!"},
    {u"{}：表現できない音符が {} 個あります（{}）", u"{}: {} notes cannot be expressed ({})"},
    {u"音符入力 Alt+1", u"Notes Alt+1"},
    {u"５線譜入力 Alt+2", u"Staff Alt+2"},
    {u"{}音", u"{} notes"},
    {u"{}音　低音なし", u"{} notes, no low octave"},
    {u"{}音 低音なし", u"{} notes, no low octave"},
    {u"{}音　全てＯＫ", u"{} notes, all OK"},
    {u"{}音　低・中・高音全てOK", u"{} notes, low, middle and high octave"},
    {u"{}音　＃(半音上)なし", u"{} notes, no sharps"},
    {u"{}音 中音ド～高音ド ＃(半音上)なし", u"{} notes, middle C to high C, no sharps"},
    {u"{}音　低音ファ～高温ド", u"{} notes, low F to high C"},
    {u"{}音(半音=2音)　中音ド～高温ミ", u"{} notes (a sharp counts 2), middle C to high E"},
    {u"全てＯＫ", u"All OK"},
    {u"音数はメモリ制限", u"Notes limited by memory"},
    {u"音数はメモリ制限　低・中・高音全てOK", u"Notes limited by memory, all octaves"},
    {u"音数はメモリ制限　低音ド～高音ド", u"Notes limited by memory, low C to high C"},
    // Formats and import
    {u"送信サイズオーバーのため、途中まで送りますね。",
     u"The song is too large to send; sending the part that fits."},
    {u"P-mail DX のコードには連符の休符を書けません：{}",
     u"P-mail DX code cannot hold a tuplet rest: {}"},
    {u"曲データの Base64デコードに失敗したぁ・・・", u"Base64 decoding of the song data failed..."},
    {u"str2Byte 変換エラー &H{}", u"str2Byte conversion error &H{}"},
    {u"きゃらメールには連符を書けません：{}", u"A kyara-mail cannot hold tuplets: {}"},
    {u"ISO-2022-JP に変換できない文字です：{}", u"This character has no ISO-2022-JP form: {}"},
    {u"半角カナの範囲にないバイトです：{}", u"This byte is not a half-width kana: {}"},
    {u"下で選択した携帯電話タイプの着信音入力操作手順データ (*.txt)",
     u"Key guide of the phone type chosen below (*.txt)"},
    {u"ﾃｷｽﾄﾌｧｲﾙ(*.TXT)", u"Text files (*.TXT)"},
    {u"全てのﾌｧｲﾙ(*.*)", u"All files (*.*)"},
    {u"音ぷっとのデータ (*.OMD)", u"Oto-putto data (*.OMD)"},
    {u"音ぷっとのﾌｧｲﾙ(*.OMD)", u"Oto-putto files (*.OMD)"},
    {u"着メロ倶楽部のデータ (*.KED)", u"Chakumero Club data (*.KED)"},
    {u"着メロ倶楽部のﾌｧｲﾙ(*.KED)", u"Chakumero Club files (*.KED)"},
    {u"着メロ編集王のデータ (*.CML)", u"Chakumero Henshūō data (*.CML)"},
    {u"着メロ編集王のﾌｧｲﾙ(*.CML)", u"Chakumero Henshūō files (*.CML)"},
    {u"iメロディのデータ (*.MLD)", u"i-melody data (*.MLD)"},
    {u"iメロディのﾌｧｲﾙ(*.MLD)", u"i-melody files (*.MLD)"},
    {u"MIDIファイル(*.MID)", u"MIDI file (*.MID)"},
    {u"MIDIﾌｧｲﾙ(*.MID)", u"MIDI files (*.MID)"},
    {u"J-PHONEのSky Melodyのデータ (*.SMD)", u"J-PHONE Sky Melody data (*.SMD)"},
    {u"J-PHONEのﾌｧｲﾙ(*.SMD)", u"J-PHONE files (*.SMD)"},
    // Sound
    {u"取り込んだメロディは{}音あります。携帯電話に入るのは最も多くて{}音までです。",
     u"The imported melody has {} notes; a phone holds at most {} notes."},
    {u"取り込んだメロディは{}音あります。{}に入るのは{}音までです。",
     u"The imported melody has {} notes; {} holds up to {} notes."},
    {u"和音の試聴は26パートまでです。", u"Chord playback takes up to 26 parts."},
    {u"上から26曲を試聴しますか？", u"Play the first 26 songs?"},
    {u"和音の再生に失敗しました。", u"Chord playback failed."},
    {u"もう一度曲を選択してやり直して下さい。m(_ _)m",
     u"Please select the songs again and retry. m(_ _)m"},
    {u"MIDIを鳴らす音源がないのね？(-_-;)", u"There is no MIDI sound source? (-_-;)"},
    {u"MIDI 音源が見つからないっす！ 残念ながら音、鳴らないようです。（；＿；",
     u"No MIDI sound source found! Sadly there will be no sound. (;_;"},
    {u"MMLファイル→MIDIファイル変換失敗！（；＿；",
     u"Converting the MML file to MIDI failed! (;_;"},
    {u"サウンドデバイスが開けません。音は出ませんが、再生はできます",
     u"The sound device cannot be opened. Playback runs without sound"},
    {u"(標準)", u"(default)"},
    {u"着信音ぽいかな？", u"Ringtone-like?"},
    {u"ピアノ", u"Piano"},
    {u"これも着信音ぽいかも(^_^;)", u"Ringtone-like too (^_^;)"},
    {u"ミュージックボックス", u"Music box"},
    {u"減衰しない音色", u"Sustained tone"},
    {u"010: てっきん", u"010: Glockenspiel"},
    {u"013: もっきん", u"013: Marimba"},
    {u"017: オルガン", u"017: Organ"},
    {u"022: アコーディオン", u"022: Accordion"},
    {u"025: ギター", u"025: Guitar"},
    {u"033: ベース", u"033: Bass"},
    {u"041: バイオリン", u"041: Violin"},
    {u"047: ハーブ", u"047: Harp"},
    {u"057: トランペット", u"057: Trumpet"},
    {u"066: アルトサックス", u"066: Alto sax"},
    {u"072: クラリネット", u"072: Clarinet"},
    {u"074: フルート", u"074: Flute"},
    {u"099: クリスタル", u"099: Crystal"},
    {u"108: 琴", u"108: Koto"},
    {u"入力音なし", u"No input sound"},
    {u"自動", u"Automatic"},
    {u"音符に従う", u"Follow the note"},
    // Settings
    {u"携帯電話タイプは必ず１つは指定して下さい。m(_ _;)m",
     u"Please choose at least one phone type. m(_ _;)m"},
    {u"数値しか入力できません。:Change:text=", u"Only numbers can be entered.:Change:text="},
    {u"数値しか入力できません。:Click", u"Only numbers can be entered.:Click"},
    {u"数値しか入力できません。:LostFocus", u"Only numbers can be entered.:LostFocus"},
    {u"0は、入力できません。", u"0 cannot be entered."},
    {u"設定を保存できませんでした。", u"The settings could not be saved."},
    // Mail and song server
    {u"「{}」という曲はありません。", u"There is no song called “{}”."},
    {u"和音は４パートまでです。", u"Chords take up to 4 parts."},
    {u"上から４曲を送信しますか？", u"Send the first 4 songs?"},
    {u"POP3のポートには、整数を指定して下さい。既定値は、110 です。",
     u"Please give the POP3 port as a whole number. The default is 110."},
    {u"POP3サーバを指定して下さい！", u"Please give the POP3 server!"},
    {u"宛先メイルアドレスを指定して下さい！", u"Please give the address to send to!"},
    {u"自分のメイルアドレスを指定して下さい！", u"Please give your own mail address!"},
    {u"ユーザＩＤを指定して下さい！", u"Please give the user ID!"},
    {u"どうも OutLooK Express が、ちゃんとインストールされてないみたい！？",
     u"No mail program account seems to be set up!?"},
    {u"曲が入力されていないので送信はできません。", u"There is no song to send."},
    {u"ＰメールＤＸ", u"P-mail DX"},
    {u"きゃらメール", u"Kyara-mail"},
    {u"iメロディメール", u"i-melody mail"},
    {u"iメロディURL通知", u"i-melody URL notice"},
    {u"このサーバは STARTTLS に対応していません", u"This server does not offer STARTTLS"},
    {u"このサーバは AUTH PLAIN にも AUTH LOGIN にも対応していません",
     u"This server offers neither AUTH PLAIN nor AUTH LOGIN"},
    {u"サーバが {} 秒間応答しません", u"The server has not answered for {} seconds"},
    {u"メールが大きすぎるので受信をやめました。", u"The mail is too large; receiving stopped."},
    {u"{} を読めません", u"Cannot read {}"},
    // Cable transfer
    {u"曲が入力されていないため、書込転送できません。", u"There is no song to write to the phone."},
    {u"♪♪♪ 送信完了 ♪♪♪", u"♪♪♪ Sent ♪♪♪"},
    {u"♪♪♪ 受信完了 ♪♪♪", u"♪♪♪ Received ♪♪♪"},
    {u"書込み中．．．", u"Writing..."},
    {u"曲目がはいっていません。", u"The slot holds no song."},
    {u"{}は、読み込める曲ではありませんでした。", u"{} did not hold a song that can be read."},
    {u"N????のどれだか不明エラー", u"Error: unknown N???? model"},
    {u"携帯電話に暗証番号が、きちんと入力されていない可能性があります。",
     u"The PIN may not have been entered on the phone correctly."},
    {u"上から３曲を携帯電話に書き込みまか？", u"Write the first 3 songs to the phone?"},
    {u"この機種の和音は３パートまでです。", u"This model takes chords of up to 3 parts."},
    {u"音数が２５６音を超えたので、制限により２５６音までしか書き込みません。m(_ _)m",
     u"The song has more than 256 notes; only the first 256 are written. m(_ _)m"},
    {u"3秒待ち", u"Waiting 3 seconds"},
    {u"※この端末は偶数パリティを使えないため、パリティなしで開きました。",
     u"* This terminal cannot use even parity, so the port was opened without parity."},
    {u"シリアルポートを開けませんでした。", u"The serial port could not be opened."},
    {u"※携帯電話の制限で６０音までしか書き込めませんでした。",
     u"* The phone's limit allowed only 60 notes to be written."},
    {u"※携帯電話の制限で256音までしか書き込めませんでした。",
     u"* The phone's limit allowed only 256 notes to be written."},
    {u"※携帯電話の制限で２５６音までしか書き込めませんでした。",
     u"* The phone's limit allowed only 256 notes to be written."},
    {u"着信音{}", u"Ringtone {}"},
    {u"携帯電話に暗証番号を入力してから、ＯＫボタンをクリックして下さい。",
     u"Enter the PIN on the phone, then click OK."},
    {u"暗証番号を設定されていない場合は「1357」を入力して下さい。",
     u"If no PIN has been set, enter “1357”."},
    {u"もう一度、携帯電話に先程と同じ暗証番号を入力してから、ＯＫボタンをクリックして下さい。",
     u"Enter the same PIN on the phone once more, then click OK."},
    {u"×タイムアウトです。電源の入った携帯電話に接続していますか？",
     u"× Timeout. Is a phone that is switched on connected?"},
    {u"！タイムアウトです！", u"! Timeout !"},
    {u"×リトライアウトです×", u"× Out of retries ×"},
});

// Matches text against a key and collects the parts its "{}" stand for.
bool matchKey(std::u16string_view key, std::u16string_view text,
              std::vector<std::u16string_view>& parts) {
    const size_t hole = key.find(kPart);
    if (hole == std::u16string_view::npos)
        return key == text;
    const std::u16string_view head = key.substr(0, hole);
    const std::u16string_view rest = key.substr(hole + kPart.size());
    if (!text.starts_with(head))
        return false;
    text.remove_prefix(head.size());
    // The part ends where the rest of the key matches; a non-empty part is required.
    const size_t nextHole = rest.find(kPart);
    const std::u16string_view anchor = rest.substr(0, nextHole);
    for (size_t end = 1; end <= text.size(); ++end) {
        if (!anchor.empty() && text.substr(end, anchor.size()) != anchor)
            continue;
        if (nextHole == std::u16string_view::npos && end + anchor.size() != text.size())
            continue;
        parts.push_back(text.substr(0, end));
        if (matchKey(rest, text.substr(end), parts))
            return true;
        parts.pop_back();
    }
    return false;
}

// A part is carried over, or translated when it is a fixed catalogue text (a length name, a
// message counted in a report); full-width digits become ASCII ones ("着信音１" is "Ringtone 1").
std::u16string partText(std::u16string_view part) {
    for (const EnglishText& text : kTexts)
        if (text.japanese == part)
            return std::u16string(text.english);
    std::u16string carried(part);
    for (char16_t& c : carried)
        if (c >= u'０' && c <= u'９')
            c = static_cast<char16_t>(u'0' + (c - u'０'));
    return carried;
}

} // namespace

std::span<const EnglishText> englishTexts() {
    return kTexts;
}

std::optional<std::u16string> englishLine(std::u16string_view japanese) {
    std::vector<std::u16string_view> parts;
    for (const EnglishText& text : kTexts) {
        parts.clear();
        if (!matchKey(text.japanese, japanese, parts))
            continue;
        std::u16string english;
        std::u16string_view pattern = text.english;
        for (std::u16string_view part : parts) {
            const size_t hole = pattern.find(kPart);
            english += pattern.substr(0, hole);
            english += partText(part);
            pattern.remove_prefix(hole + kPart.size());
        }
        return english + std::u16string(pattern);
    }
    return std::nullopt;
}

std::u16string toEnglish(std::u16string_view japanese) {
    std::u16string english;
    size_t start = 0;
    while (true) {
        const size_t end = japanese.find(u'\n', start);
        const std::u16string_view line = japanese.substr(start, end - start);
        english += englishLine(line).value_or(std::u16string(line));
        if (end == std::u16string_view::npos)
            return english;
        english += u'\n';
        start = end + 1;
    }
}

} // namespace sarvo
