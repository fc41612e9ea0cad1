<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>sarvo::app::CommandToolBar</name>
    <message>
        <source>曲が保存されているﾌｫﾙﾀﾞをｴｸｽﾌﾟﾛｰﾗで開きます</source>
        <translation>Opens the folder holding the song in the file manager</translation>
    </message>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>新規に作成する曲名を付けます。</source>
        <translation>Names a new song.</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>曲名やコメントの変更を行います。</source>
        <translation>Changes the song name or comment.</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>編集中の曲を保存します。</source>
        <translation>Saves the song being edited.</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>メール F10</source>
        <translation>Mail F10</translation>
    </message>
    <message>
        <source>曲データのメール送受信(PHSとの着信音交換も可能)</source>
        <translation>Sends and receives songs by mail (also ringtone exchange with PHS phones)</translation>
    </message>
    <message>
        <source>ケーブル F11</source>
        <translation>Cable F11</translation>
    </message>
    <message>
        <source>シリアルケーブルでの着信音編集</source>
        <translation>Ringtone editing over a serial cable</translation>
    </message>
    <message>
        <source>全タイプ変換 F3</source>
        <translation>All types F3</translation>
    </message>
    <message>
        <source>１機種の携帯電話の着信音操作手順を全タイプに変換。</source>
        <translation>Converts one phone's key procedure into every type.</translation>
    </message>
    <message>
        <source>曲サーバ</source>
        <translation>Song server</translation>
    </message>
    <message>
        <source>サーバから曲をダウンロード・アップロードします。</source>
        <translation>Downloads and uploads songs from the server.</translation>
    </message>
    <message>
        <source>設定 F2</source>
        <translation>Settings F2</translation>
    </message>
    <message>
        <source>Sarvo の各種設定をします</source>
        <translation>Sarvo settings</translation>
    </message>
    <message>
        <source>ヘルプ F1</source>
        <translation>Help F1</translation>
    </message>
    <message>
        <source>ヘルプを起動します</source>
        <translation>Opens the help</translation>
    </message>
    <message>
        <source>終了 F12</source>
        <translation>Quit F12</translation>
    </message>
    <message>
        <source>Sarvo を終了します</source>
        <translation>Quits Sarvo</translation>
    </message>
    <message>
        <source>新規 F6...</source>
        <translation>New F6...</translation>
    </message>
    <message>
        <source>変更 F7...</source>
        <translation>Change F7...</translation>
    </message>
    <message>
        <source>保存 F8...</source>
        <translation>Save F8...</translation>
    </message>
    <message>
        <source>削除 F9</source>
        <translation>Delete F9</translation>
    </message>
    <message>
        <source>選択している曲を削除します。</source>
        <translation>Deletes the selected song.</translation>
    </message>
</context>
<context>
    <name>sarvo::app::HelpWindow</name>
    <message>
        <source>Sarvo ヘルプ</source>
        <translation>Sarvo Help</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>閉じる(&amp;Q)</source>
        <translation>Close(&amp;Q)</translation>
    </message>
    <message>
        <source>ja</source>
        <comment>language of the help pages</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>sarvo::app::MainWindow</name>
    <message>
        <source>曲名：</source>
        <translation>Song:</translation>
    </message>
    <message>
        <source>曲読込中</source>
        <translation>Loading the song</translation>
    </message>
    <message>
        <source>フォルダを開くファイルマネージャが起動できません：</source>
        <translation>Cannot start a file manager to open the folder: </translation>
    </message>
</context>
<context>
    <name>sarvo::app::MessageBox</name>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>Yes(&amp;Y)</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>No(&amp;N)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>sarvo::app::MusicBox</name>
    <message>
        <source>曲名</source>
        <translation>Song</translation>
    </message>
    <message>
        <source>ミュージシャン</source>
        <translation>Musician</translation>
    </message>
    <message>
        <source>作成者</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>テンポ</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>音色</source>
        <translation>Voice</translation>
    </message>
</context>
<context>
    <name>sarvo::app::NameClashDialog</name>
    <message>
        <source>受信曲を捨てる。(&amp;Q)</source>
        <translation>Discard the received song (&amp;Q)</translation>
    </message>
    <message>
        <source>同名で上書きする(&amp;W)</source>
        <translation>Overwrite the song of that name (&amp;W)</translation>
    </message>
    <message>
        <source>上の名前に曲名を変更(&amp;C)</source>
        <translation>Rename it to the name above (&amp;C)</translation>
    </message>
    <message>
        <source>曲名の変更</source>
        <translation>Rename song</translation>
    </message>
    <message>
        <source>すでに同じ名前の曲が存在します。</source>
        <translation>A song of that name already exists.</translation>
    </message>
</context>
<context>
    <name>sarvo::app::PlayButton</name>
    <message>
        <source>停止 F4</source>
        <translation>Stop F4</translation>
    </message>
    <message>
        <source>再生 F4</source>
        <translation>Play F4</translation>
    </message>
</context>
<context>
    <name>sarvo::app::SongPropertiesDialog</name>
    <message>
        <source>曲名：</source>
        <translation>Song:</translation>
    </message>
    <message>
        <source>※変更すると別名で保存されます。</source>
        <translation>* Changing it saves under the new name.</translation>
    </message>
    <message>
        <source>ミュージシャン：：</source>
        <translation>Musician:</translation>
    </message>
    <message>
        <source>ジャンル：</source>
        <translation>Genre:</translation>
    </message>
    <message>
        <source>コメント：</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>テンポ：</source>
        <translation>Tempo:</translation>
    </message>
    <message>
        <source>↑ 遅く
↓ 速く</source>
        <translation>↑ slower
↓ faster</translation>
    </message>
    <message>
        <source>音色：</source>
        <translation>Voice:</translation>
    </message>
    <message>
        <source>ＯＫ(&amp;O)</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>Cancel(&amp;C)</translation>
    </message>
</context>
<context>
    <name>sarvo::app::SoundOutput</name>
    <message>
        <source>サウンドデバイスなし</source>
        <translation>No sound device</translation>
    </message>
    <message>
        <source>音の遅れ %1 ミリ秒（%2、%3 フレーム × %4、%5 Hz）</source>
        <translation>Sound latency %1 ms (%2, %3 frames × %4, %5 Hz)</translation>
    </message>
</context>
<context>
    <name>sarvo::app::TransposeBar</name>
    <message>
        <source>移調</source>
        <translation>Transpose</translation>
    </message>
    <message>
        <source>音階をずらす</source>
        <translation>Shift the pitch</translation>
    </message>
    <message>
        <source>下げる &lt;</source>
        <translation>Down &lt;</translation>
    </message>
    <message>
        <source>曲全体の音階を１つ下げます。</source>
        <translation>Lowers the whole song by a semitone.</translation>
    </message>
    <message>
        <source>上げる &gt;</source>
        <translation>Up &gt;</translation>
    </message>
    <message>
        <source>曲全体の音階を１つ上げます。</source>
        <translation>Raises the whole song by a semitone.</translation>
    </message>
</context>
<context>
    <name>sarvo::app::TupletBar</name>
    <message>
        <source>3連</source>
        <translation>Triplet</translation>
    </message>
    <message>
        <source>6連</source>
        <translation>Sextuplet</translation>
    </message>
</context>
<context>
    <name>sarvo::app::ViewSelector</name>
    <message>
        <source>携帯タイプ:</source>
        <translation>Phone type:</translation>
    </message>
</context>
<context>
    <name>sarvo::cable::CommDialog</name>
    <message>
        <source>シリアルケーブルでの着信音編集</source>
        <translation>Ringtone editing over a serial cable</translation>
    </message>
    <message>
        <source>読込 [携帯電話→Sarvo] (&amp;R)</source>
        <translation>Read [phone → Sarvo] (&amp;R)</translation>
    </message>
    <message>
        <source>書込 [Sarvo→携帯電話] (&amp;W)</source>
        <translation>Write [Sarvo → phone] (&amp;W)</translation>
    </message>
    <message>
        <source>ログ↓クリア(&amp;C)</source>
        <translation>Clear log ↓(&amp;C)</translation>
    </message>
    <message>
        <source>閉じる(&amp;Q)</source>
        <translation>Close(&amp;Q)</translation>
    </message>
    <message>
        <source>ポート</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>着信音</source>
        <translation>Ringtone</translation>
    </message>
    <message>
        <source>機種</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>暗証番号</source>
        <translation>PIN</translation>
    </message>
</context>
<context>
    <name>sarvo::formats::ImportDialog</name>
    <message>
        <source>インポート</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>インポートするデータ</source>
        <translation>Data to import</translation>
    </message>
    <message>
        <source>注) １携帯電話の着信音入力操作手順 → 対応全機種への反映</source>
        <translation>Note: one phone's key procedure → applied to every supported model</translation>
    </message>
    <message>
        <source>曲名を入力してください。</source>
        <translation>Enter the file name.</translation>
    </message>
    <message>
        <source>参照(&amp;L)...</source>
        <translation>Browse(&amp;L)...</translation>
    </message>
    <message>
        <source>メロディーにするトラック・チャンネル</source>
        <translation>Track and channel to take the melody from</translation>
    </message>
    <message>
        <source>トラック</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>チャンネル</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>音符数</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>音域</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>プレビュー：</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>インポート(&amp;I)</source>
        <translation>Import(&amp;I)</translation>
    </message>
    <message>
        <source>選択している曲を読み込みます。</source>
        <translation>Reads the chosen song.</translation>
    </message>
    <message>
        <source>閉じる(&amp;Q)</source>
        <translation>Close(&amp;Q)</translation>
    </message>
    <message>
        <source>ファイル：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>現在のところSarvo で作成したデータのみ</source>
        <translation>At present only data made with Sarvo</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>（トラック %1 チャンネル %2）</source>
        <translation> (track %1, channel %2)</translation>
    </message>
    <message>
        <source>ドラム</source>
        <translation>Drums</translation>
    </message>
</context>
<context>
    <name>sarvo::mail::MailDialog</name>
    <message>
        <source>メイル送受信</source>
        <translation>Mail</translation>
    </message>
    <message>
        <source>サーバとアドレス</source>
        <translation>Servers and addresses</translation>
    </message>
    <message>
        <source>ポート</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>SMTP 認証</source>
        <translation>SMTP authentication</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>後、サーバ　から削除</source>
        <translation>then delete from the server</translation>
    </message>
    <message>
        <source>パスワード：</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>メイルの種類</source>
        <translation>Kind of mail</translation>
    </message>
    <message>
        <source>曲名：</source>
        <translation>Song:</translation>
    </message>
    <message>
        <source>コメント：</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>i-mode 携帯電話のメールアドレス入力</source>
        <translation>Mail address of the i-mode phone</translation>
    </message>
    <message>
        <source>※曲のサイズ制限がありません</source>
        <translation>* No limit on the song size</translation>
    </message>
    <message>
        <source>ログ↓クリア(&amp;C)</source>
        <translation>Clear log ↓(&amp;C)</translation>
    </message>
    <message>
        <source>閉じる(&amp;Q)</source>
        <translation>Close(&amp;Q)</translation>
    </message>
    <message>
        <source>アカウント取込(&amp;I)</source>
        <translation>Import account(&amp;I)</translation>
    </message>
    <message>
        <source>メイルソフトの既定のアカウントから、サーバとユーザＩＤを取り込みます</source>
        <translation>Takes the servers and user ID from the mail program's default account</translation>
    </message>
    <message>
        <source>SMTP(送信)</source>
        <translation>SMTP (send)</translation>
    </message>
    <message>
        <source>POP3(受信)</source>
        <translation>POP3 (receive)</translation>
    </message>
    <message>
        <source>宛先(送信)</source>
        <translation>To (send)</translation>
    </message>
    <message>
        <source>自分(受信)</source>
        <translation>Me (receive)</translation>
    </message>
    <message>
        <source>ユーザＩＤ：</source>
        <translation>User ID:</translation>
    </message>
    <message>
        <source>暗号化なし</source>
        <translation>No encryption</translation>
    </message>
    <message>
        <source>送信(&amp;S)</source>
        <translation>Send(&amp;S)</translation>
    </message>
    <message>
        <source>受信(&amp;R)</source>
        <translation>Receive(&amp;R)</translation>
    </message>
</context>
<context>
    <name>sarvo::mail::ServerDialog</name>
    <message>
        <source>Sarvoサーバ(曲のアップロード・ダウンロード)</source>
        <translation>Sarvo server (song upload and download)</translation>
    </message>
    <message>
        <source>Sarvo サーバ</source>
        <translation>Sarvo server</translation>
    </message>
    <message>
        <source>に、選択中の曲を送信して登録(アップロード) (&amp;S)</source>
        <translation>Send the selected song and register it (upload) (&amp;S)</translation>
    </message>
    <message>
        <source>から、曲をGET(ダウンロード) (&amp;R)</source>
        <translation>Get songs (download) (&amp;R)</translation>
    </message>
    <message>
        <source>E-Mail アドレス公開</source>
        <translation>Publish my e-mail address</translation>
    </message>
    <message>
        <source>回、送信して登録(アップロード)しました。</source>
        <translation>uploads made so far.</translation>
    </message>
    <message>
        <source>ログ↓クリア(&amp;C)</source>
        <translation>Clear log ↓(&amp;C)</translation>
    </message>
    <message>
        <source>閉じる(&amp;Q)</source>
        <translation>Close(&amp;Q)</translation>
    </message>
    <message>
        <source>※1 サーバにすでにある曲は登録できません。</source>
        <translation>*1 A song already on the server cannot be registered.</translation>
    </message>
    <message>
        <source>※2 ただし、貴殿が前に登録した曲であれば上書きします。</source>
        <translation>*2 Unless you registered it before: then it is overwritten.</translation>
    </message>
    <message>
        <source> を読めません
</source>
        <translation> cannot be read
</translation>
    </message>
</context>
<context>
    <name>sarvo::settings::FontGroup</name>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>フォント名：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>サイズ：</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>プレビュー：</source>
        <translation>Preview:</translation>
    </message>
</context>
<context>
    <name>sarvo::settings::SettingsDialog</name>
    <message>
        <source>・・・着信音入力手順とピアノの鍵盤を意識</source>
        <translation>... follows the phone keys and the piano keyboard</translation>
    </message>
    <message>
        <source>・・・ピアノの鍵盤をもろ意識</source>
        <translation>... follows the piano keyboard closely</translation>
    </message>
    <message>
        <source>・・・ドレミの英語表記を意識</source>
        <translation>... follows the letter names C D E</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>音とテンポ</source>
        <translation>Sound and tempo</translation>
    </message>
    <message>
        <source>キー割り当て</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Fonts</translation>
    </message>
    <message>
        <source>携帯電話タイプ</source>
        <translation>Phone types</translation>
    </message>
    <message>
        <source>ＯＫ(&amp;O)</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>既定値に 戻す(&amp;B)</source>
        <translation>Reset to defaults(&amp;B)</translation>
    </message>
    <message>
        <source>ド レ ミ ファ ソ ラ シ #ド #レ #ファ #ソ #ラ</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>メロディー入力画面</source>
        <translation>Melody input</translation>
    </message>
    <message>
        <source>着信音入力手順表示画面</source>
        <translation>Key guide display</translation>
    </message>
    <message>
        <source>注)Sarvo以外のフォントを指定すると音符が表示されません</source>
        <translation>Note: with a font other than Sarvo no notes are shown</translation>
    </message>
    <message>
        <source>全選択 (&amp;A)</source>
        <translation>Select all (&amp;A)</translation>
    </message>
    <message>
        <source>全解除 (&amp;C)</source>
        <translation>Clear all (&amp;C)</translation>
    </message>
    <message>
        <source>注)多くを選ぶと処理が遅くなります。</source>
        <translation>Note: choosing many makes saving slower.</translation>
    </message>
    <message>
        <source>お名前：</source>
        <translation>Your name:</translation>
    </message>
    <message>
        <source>保存する時に着信音入力手順を書き出す携帯電話タイプ：</source>
        <translation>Phone types whose key guides are written when saving:</translation>
    </message>
    <message>
        <source>※メールを送る時の From: にも使用されます。</source>
        <translation>* Also used as From: when sending mail.</translation>
    </message>
    <message>
        <source>自動（ロケールに従う）</source>
        <translation>Automatic (follow the locale)</translation>
    </message>
    <message>
        <source>表示言語：</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>※次回の起動から有効になります。</source>
        <translation>* Takes effect at the next start.</translation>
    </message>
</context>
<context>
    <name>sarvo::settings::SoundTab</name>
    <message>
        <source>でドレミ…を試聴(&amp;P)</source>
        <translation>Play a scale (&amp;P)</translation>
    </message>
    <message>
        <source>停止(&amp;P)</source>
        <translation>Stop(&amp;P)</translation>
    </message>
    <message>
        <source>再生時、５線譜の音符を カーソルが追いかけない。(再生テンポ正常化)</source>
        <translation>While playing, the cursor does not follow the staff's notes (steadier tempo)</translation>
    </message>
    <message>
        <source>既定値に 戻す(&amp;B)</source>
        <translation>Reset to defaults(&amp;B)</translation>
    </message>
    <message>
        <source>MIDI出力ポート</source>
        <translation>MIDI output port</translation>
    </message>
    <message>
        <source>音色</source>
        <translation>Voice</translation>
    </message>
    <message>
        <source>入力音の長さ</source>
        <translation>Input sound length</translation>
    </message>
    <message>
        <source>テンポ</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>＝</source>
        <translation>=</translation>
    </message>
    <message>
        <source>試聴</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>テンポ基準値</source>
        <translation>Tempo base value</translation>
    </message>
    <message>
        <source>この値をいじって携帯電話のテンポとＰＣのテンポを合わせて下さい。</source>
        <translation>Adjust this value until the PC's tempo matches the phone's.</translation>
    </message>
    <message>
        <source>↑ 遅く</source>
        <translation>↑ slower</translation>
    </message>
    <message>
        <source>↓ 速く</source>
        <translation>↓ faster</translation>
    </message>
    <message>
        <source>{C}＝１００ で、 {C} が0.3秒　　 {D} が0.15秒です。</source>
        <translation>At {C}=100, {C} lasts 0.3 s and {D} 0.15 s.</translation>
    </message>
    <message>
        <source>{C}＝１５０で、 {C} が0.2秒　　 {D} が0.1秒です。</source>
        <translation>At {C}=150, {C} lasts 0.2 s and {D} 0.1 s.</translation>
    </message>
</context>
<context>
    <name>sarvo::sound::MidiPlayDialog</name>
    <message>
        <source>和音の試聴</source>
        <translation>Chord playback</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>最初から</source>
        <translation>From the start</translation>
    </message>
    <message>
        <source>閉じる(&amp;Q)</source>
        <translation>Close(&amp;Q)</translation>
    </message>
</context>
</TS>