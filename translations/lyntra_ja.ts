<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>BufferSize</name>
    <message>
        <source>%1 Samples</source>
        <translation>%1 サンプル</translation>
    </message>
    <message>
        <source>No sound server found</source>
        <translation>サウンドサーバーが見つかりません</translation>
    </message>
    <message>
        <source>Looking for a sound server...</source>
        <translation>サウンドサーバーを探しています...</translation>
    </message>
    <message>
        <source>Sets the quantum of PipeWire %1</source>
        <translation>PipeWire %1 のクォンタムを設定します</translation>
    </message>
</context>
<context>
    <name>ChannelEditor</name>
    <message>
        <source>LO CUT</source>
        <translation>LO CUT</translation>
    </message>
    <message>
        <source>Bypass</source>
        <translation>バイパス</translation>
    </message>
</context>
<context>
    <name>ClockStatus</name>
    <message>
        <source>Internal</source>
        <translation>内部</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>ワードクロック</translation>
    </message>
    <message>
        <source>Optical A</source>
        <translation>オプティカル A</translation>
    </message>
    <message>
        <source>Optical B</source>
        <translation>オプティカル B</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Unlocked (or No Signal)</source>
        <translation>アンロック（または信号なし）</translation>
    </message>
    <message>
        <source>Good</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Sample Rate Mismatch</source>
        <translation>サンプルレート不一致</translation>
    </message>
    <message>
        <source>Manually configured</source>
        <translation>手動設定</translation>
    </message>
    <message>
        <source>Phase Error</source>
        <translation>位相エラー</translation>
    </message>
    <message>
        <source>: UNKNOWN</source>
        <translation>：不明</translation>
    </message>
</context>
<context>
    <name>ControlNames</name>
    <message>
        <source>MASTER</source>
        <translation>MASTER</translation>
    </message>
    <message>
        <source>left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>control and side</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>strip and control</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>on</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>minus infinity</source>
        <translation>マイナス無限大</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>minus %1 dB</source>
        <translation>マイナス %1 dB</translation>
    </message>
    <message>
        <source>plus %1 dB</source>
        <translation>プラス %1 dB</translation>
    </message>
    <message>
        <source>minus %1 %2</source>
        <translation>マイナス %1 %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>number and unit</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>centre</source>
        <translation>センター</translation>
    </message>
    <message>
        <source>left %1</source>
        <translation>左 %1</translation>
    </message>
    <message>
        <source>right %1</source>
        <translation>右 %1</translation>
    </message>
    <message>
        <source>low cut</source>
        <translation>ローカット</translation>
    </message>
    <message>
        <source>phase</source>
        <translation>位相</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>compressor</source>
        <translation>コンプレッサー</translation>
    </message>
    <message>
        <source>mute</source>
        <translation>ミュート</translation>
    </message>
    <message>
        <source>solo</source>
        <translation>ソロ</translation>
    </message>
    <message>
        <source>true bypass</source>
        <translation>トゥルーバイパス</translation>
    </message>
    <message>
        <source>aux %1 send point</source>
        <translation>AUX %1 センドポイント</translation>
    </message>
    <message>
        <source>fader</source>
        <translation>フェーダー</translation>
    </message>
    <message>
        <source>pan</source>
        <translation>パン</translation>
    </message>
    <message>
        <source>Reverb return</source>
        <translation>リバーブ リターン</translation>
    </message>
    <message>
        <source>aux %1 send</source>
        <translation>AUX %1 センド</translation>
    </message>
    <message>
        <source>channel name</source>
        <translation>チャンネル名</translation>
    </message>
    <message>
        <source>link</source>
        <translation>リンク</translation>
    </message>
    <message>
        <source>Reverb type</source>
        <translation>リバーブタイプ</translation>
    </message>
    <message>
        <source>Reverb</source>
        <translation>リバーブ</translation>
    </message>
    <message>
        <source>Reverb pre-delay</source>
        <translation>リバーブ プリディレイ</translation>
    </message>
    <message>
        <source>Reverb time</source>
        <translation>リバーブ タイム</translation>
    </message>
    <message>
        <source>Reverb diffusion</source>
        <translation>リバーブ ディフュージョン</translation>
    </message>
    <message>
        <source>Monitor output</source>
        <translation>モニター出力</translation>
    </message>
    <message>
        <source>Monitor master</source>
        <translation>モニター マスター</translation>
    </message>
    <message>
        <source>LINE OUT %1-%2 monitor level</source>
        <translation>LINE OUT %1-%2 モニターレベル</translation>
    </message>
    <message>
        <source>LINE OUT %1 monitor level</source>
        <translation>LINE OUT %1 モニターレベル</translation>
    </message>
    <message>
        <source>Monitor link</source>
        <translation>モニター リンク</translation>
    </message>
    <message>
        <source>Monitor right source</source>
        <translation>モニター 右ソース</translation>
    </message>
    <message>
        <source>Monitor left source</source>
        <translation>モニター 左ソース</translation>
    </message>
    <message>
        <source>LINE OUT %1 source</source>
        <translation>LINE OUT %1 ソース</translation>
    </message>
    <message>
        <source>compressor threshold</source>
        <translation>コンプレッサー スレッショルド</translation>
    </message>
    <message>
        <source>compressor ratio</source>
        <translation>コンプレッサー レシオ</translation>
    </message>
    <message>
        <source>compressor gain</source>
        <translation>コンプレッサー ゲイン</translation>
    </message>
    <message>
        <source>compressor attack</source>
        <translation>コンプレッサー アタック</translation>
    </message>
    <message>
        <source>compressor release</source>
        <translation>コンプレッサー リリース</translation>
    </message>
    <message>
        <source>EQ high gain</source>
        <translation>EQ ハイ ゲイン</translation>
    </message>
    <message>
        <source>EQ high-mid gain</source>
        <translation>EQ ハイミッド ゲイン</translation>
    </message>
    <message>
        <source>EQ low-mid gain</source>
        <translation>EQ ローミッド ゲイン</translation>
    </message>
    <message>
        <source>EQ low gain</source>
        <translation>EQ ロー ゲイン</translation>
    </message>
    <message>
        <source>EQ high frequency</source>
        <translation>EQ ハイ 周波数</translation>
    </message>
    <message>
        <source>EQ high-mid frequency</source>
        <translation>EQ ハイミッド 周波数</translation>
    </message>
    <message>
        <source>EQ low-mid frequency</source>
        <translation>EQ ローミッド 周波数</translation>
    </message>
    <message>
        <source>EQ low frequency</source>
        <translation>EQ ロー 周波数</translation>
    </message>
    <message>
        <source>EQ high-mid Q</source>
        <translation>EQ ハイミッド Q</translation>
    </message>
    <message>
        <source>EQ low-mid Q</source>
        <translation>EQ ローミッド Q</translation>
    </message>
    <message>
        <source>infinity to 1</source>
        <translation>無限大 対 1</translation>
    </message>
    <message>
        <source>%1 to 1</source>
        <translation>%1 対 1</translation>
    </message>
    <message>
        <source>milliseconds</source>
        <translation>ミリ秒</translation>
    </message>
    <message>
        <source>hertz</source>
        <translation>ヘルツ</translation>
    </message>
    <message>
        <source>Q %1</source>
        <translation>Q %1</translation>
    </message>
    <message>
        <source>pre</source>
        <translation>プリ</translation>
    </message>
    <message>
        <source>post</source>
        <translation>ポスト</translation>
    </message>
    <message>
        <source>neither pre nor post</source>
        <translation>プリでもポストでもない</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 秒</translation>
    </message>
</context>
<context>
    <name>InformationBox</name>
    <message>
        <source>Update now</source>
        <translation>今すぐアップデート</translation>
    </message>
    <message>
        <source>Update later</source>
        <translation>後でアップデート</translation>
    </message>
    <message>
        <source>Do not show the same message again</source>
        <translation>今後このメッセージを表示しない</translation>
    </message>
</context>
<context>
    <name>InformationDialog</name>
    <message>
        <source>AVENOR LYNTRA K1/K2 Information</source>
        <translation>AVENOR LYNTRA K1/K2 のお知らせ</translation>
    </message>
    <message>
        <source>If noise occurs, ensure your computer&apos;s power option is set to &apos;High Performance.&apos;&lt;p&gt;Also select the ASIO Driver type within your Audio Software for best performance.&lt;p&gt;Setup information and more FAQs are available on our website:</source>
        <translation>ノイズが発生する場合は、コンピューターの電源オプションが「高パフォーマンス」に設定されていることを確認してください。&lt;p&gt;また、最適なパフォーマンスを得るために、お使いのオーディオソフトウェアでASIOドライバーを選択してください。&lt;p&gt;セットアップ情報やその他のFAQは当社ウェブサイトをご覧ください：</translation>
    </message>
    <message>
        <source>Do not show again</source>
        <translation>次からは表示しない</translation>
    </message>
</context>
<context>
    <name>InterfacePage</name>
    <message>
        <source>Auto -  AVENOR Device</source>
        <translation>自動 - AVENOR 製機器</translation>
    </message>
    <message>
        <source>Manual -  44.1kHz / 48kHz</source>
        <translation>手動 - 44.1kHz / 48kHz</translation>
    </message>
    <message>
        <source>Manual -  88.2kHz / 96kHz</source>
        <translation>手動 - 88.2kHz / 96kHz</translation>
    </message>
    <message>
        <source>Manual -  176.4kHz / 192kHz</source>
        <translation>手動 - 176.4kHz / 192kHz</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>内部</translation>
    </message>
    <message>
        <source>Optical A</source>
        <translation>オプティカル A</translation>
    </message>
    <message>
        <source>Optical B</source>
        <translation>オプティカル B</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>ワードクロック</translation>
    </message>
    <message>
        <source>Auto follows an AVENOR device; choose a manual format for other equipment.</source>
        <translation>「自動」は AVENOR 製機器に追従します。他の機器では手動で選んでください。</translation>
    </message>
    <message>
        <source>No Device</source>
        <translation>未接続</translation>
    </message>
    <message>
        <source>Clock Status</source>
        <translation>クロックステータス</translation>
    </message>
    <message>
        <source>Optical B Input</source>
        <translation>オプティカル B 入力</translation>
    </message>
    <message>
        <source>Word Input</source>
        <translation>ワードクロック入力</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>ファームウェア</translation>
    </message>
    <message>
        <source>Clock Source</source>
        <translation>クロックソース</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>サンプルレート</translation>
    </message>
    <message>
        <source>Optical A Input</source>
        <translation>オプティカル A 入力</translation>
    </message>
    <message>
        <source>Driver Version</source>
        <translation>ドライバーバージョン</translation>
    </message>
    <message>
        <source>Buffer Size</source>
        <translation>バッファーサイズ</translation>
    </message>
    <message>
        <source>MIXER</source>
        <translation>ミキサー</translation>
    </message>
    <message>
        <source>ROUTING</source>
        <translation>ルーティング</translation>
    </message>
</context>
<context>
    <name>LicenseDialog</name>
    <message>
        <source>License Information</source>
        <translation>ライセンス情報</translation>
    </message>
    <message>
        <source>File Missing!</source>
        <translation>ファイルが見つかりません</translation>
    </message>
    <message>
        <source>There is a possibility that the file has been moved or deleted.</source>
        <translation>ファイルが移動または削除された可能性があります。</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Initialize</source>
        <translation>初期化</translation>
    </message>
    <message>
        <source>Initialize Reverb</source>
        <translation>リバーブの初期化</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>&amp;SceneMemory</source>
        <translation>シーンメモリー(&amp;S)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読み込み</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>名前の変更</translation>
    </message>
    <message>
        <source>Initialize Memory</source>
        <translation>メモリーの初期化</translation>
    </message>
    <message>
        <source>Save into the unit</source>
        <translation>本体に保存</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>- AVENOR Website</source>
        <translation>- AVENOR ウェブサイト</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>製品情報</translation>
    </message>
    <message>
        <source>FAQs</source>
        <translation>よくあるご質問</translation>
    </message>
    <message>
        <source>- Update</source>
        <translation>- アップデート</translation>
    </message>
    <message>
        <source>- About ...</source>
        <translation>- このソフトウェアについて ...</translation>
    </message>
    <message>
        <source>License</source>
        <translation>ライセンス</translation>
    </message>
    <message>
        <source>Mixer</source>
        <translation>ミキサー</translation>
    </message>
    <message>
        <source>Routing</source>
        <translation>ルーティング</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>インターフェース</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
    <message>
        <source>Export Scene...</source>
        <translation>シーンを書き出す...</translation>
    </message>
    <message>
        <source>Import Scene...</source>
        <translation>シーンを読み込む...</translation>
    </message>
    <message>
        <source>Remote Control...</source>
        <translation>リモートコントロール...</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>AVENOR LYNTRA K1/K2 Settings Panel</source>
        <translation>AVENOR LYNTRA K1/K2 設定パネル</translation>
    </message>
    <message>
        <source>USB Disconnected</source>
        <translation>USB 接続が切れました</translation>
    </message>
    <message>
        <source>- LYNTRA K1/K2 -
 Please insert USB cable</source>
        <translation>- LYNTRA K1/K2 -
 USB ケーブルを接続してください</translation>
    </message>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation>AVENOR LYNTRA 設定パネル</translation>
    </message>
    <message>
        <source>The mix could not be put back.</source>
        <translation>ミックスを元に戻せませんでした。</translation>
    </message>
</context>
<context>
    <name>MasterStrip</name>
    <message>
        <source>MASTER</source>
        <translation>MASTER</translation>
    </message>
    <message>
        <source>AUX SENDS</source>
        <translation>AUX SENDS</translation>
    </message>
    <message>
        <source>AUX %1</source>
        <translation>AUX %1</translation>
    </message>
    <message>
        <source>REVERB</source>
        <translation>REVERB</translation>
    </message>
    <message>
        <source>RETURN OFF</source>
        <translation>RETURN OFF</translation>
    </message>
    <message>
        <source>RETURN</source>
        <translation>RETURN</translation>
    </message>
    <message>
        <source>MUTE</source>
        <translation>MUTE</translation>
    </message>
    <message>
        <source>L  MASTER  R</source>
        <translation>L  MASTER  R</translation>
    </message>
</context>
<context>
    <name>MixerPage</name>
    <message>
        <source>INPUTS</source>
        <translation>INPUTS</translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation>OUTPUT</translation>
    </message>
</context>
<context>
    <name>MixerSection</name>
    <message>
        <source>INTERFACE</source>
        <translation>インターフェース</translation>
    </message>
    <message>
        <source>ROUTING</source>
        <translation>ルーティング</translation>
    </message>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation>AVENOR LYNTRA 設定パネル</translation>
    </message>
    <message>
        <source>This operation initializes Reverb Parameters.&lt;br&gt;Are you sure?</source>
        <translation>リバーブのパラメーターを初期化します。&lt;br&gt;よろしいですか？</translation>
    </message>
    <message>
        <source>Initialize Reverb</source>
        <translation>リバーブの初期化</translation>
    </message>
</context>
<context>
    <name>MonitorControl</name>
    <message>
        <source>Monitor Control</source>
        <translation>モニターコントロール</translation>
    </message>
    <message>
        <source>LINE OUT %1-%2</source>
        <translation>LINE OUT %1-%2</translation>
    </message>
    <message>
        <source>LEFT</source>
        <translation>LEFT</translation>
    </message>
    <message>
        <source>RIGHT</source>
        <translation>RIGHT</translation>
    </message>
    <message>
        <source>LINK</source>
        <translation>LINK</translation>
    </message>
    <message>
        <source>Linked, the right side follows the left and one fader sets both.</source>
        <translation>リンク中は右側が左側に連動し、ひとつのフェーダーで左右を調整します。</translation>
    </message>
    <message>
        <source>LINE OUT 1</source>
        <translation>LINE OUT 1</translation>
    </message>
    <message>
        <source>LINE OUT 2</source>
        <translation>LINE OUT 2</translation>
    </message>
    <message>
        <source>LINE OUT 1-2</source>
        <translation>LINE OUT 1-2</translation>
    </message>
    <message>
        <source>MONITOR
MASTER</source>
        <translation>MONITOR
MASTER</translation>
    </message>
    <message>
        <source>LINEOUT %1</source>
        <translation>LINEOUT %1</translation>
    </message>
    <message>
        <source>LINEOUT %1-%2</source>
        <translation>LINEOUT %1-%2</translation>
    </message>
    <message>
        <source>Monitor on %1</source>
        <translation>%1 でモニター</translation>
    </message>
</context>
<context>
    <name>MonoStrip</name>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>CMP</source>
        <translation>CMP</translation>
    </message>
    <message>
        <source>PAN</source>
        <translation>PAN</translation>
    </message>
</context>
<context>
    <name>PageNavigator</name>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation>AVENOR LYNTRA 設定パネル</translation>
    </message>
    <message>
        <source>Please connect the device.</source>
        <translation>デバイスを接続してください。</translation>
    </message>
</context>
<context>
    <name>PairStrip</name>
    <message>
        <source>LINK</source>
        <translation>LINK</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Changing various settings...</source>
        <translation>各種設定を変更しています...</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>S/PDIF %1</source>
        <translation>S/PDIF %1</translation>
    </message>
    <message>
        <source>OPT %1</source>
        <translation>OPT %1</translation>
    </message>
    <message>
        <source>IN %1</source>
        <translation>IN %1</translation>
    </message>
    <message>
        <source>S/PDIF</source>
        <translation>S/PDIF</translation>
    </message>
</context>
<context>
    <name>RemoteDialog</name>
    <message>
        <source>Remote Control</source>
        <translation>リモートコントロール</translation>
    </message>
    <message>
        <source>Control the mixer over OSC</source>
        <translation>OSC でミキサーを操作する</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>このコンピューターのみ</translation>
    </message>
    <message>
        <source>The local network too</source>
        <translation>ローカルネットワークからも</translation>
    </message>
    <message>
        <source>UDP port:</source>
        <translation>UDP ポート:</translation>
    </message>
    <message>
        <source>Reach:</source>
        <translation>接続範囲:</translation>
    </message>
    <message>
        <source>Off.</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Listening on port %1 for this computer and its local network (%2).</source>
        <translation>ポート %1 で、このコンピューターとローカルネットワーク (%2) からの接続を待ち受けています。</translation>
    </message>
    <message>
        <source>Listening on port %1 for programs on this computer.</source>
        <translation>ポート %1 で、このコンピューター上のプログラムからの接続を待ち受けています。</translation>
    </message>
    <message>
        <source>Port %1 is in use by another program. Choose another port.</source>
        <translation>ポート %1 は他のプログラムが使用中です。別のポートを選んでください。</translation>
    </message>
    <message>
        <source>Port %1 cannot be opened (%2). Choose another port.</source>
        <translation>ポート %1 を開けません (%2)。別のポートを選んでください。</translation>
    </message>
    <message>
        <source>no network</source>
        <translation>ネットワークなし</translation>
    </message>
</context>
<context>
    <name>ReverbPanel</name>
    <message>
        <source>REVERB</source>
        <translation>REVERB</translation>
    </message>
    <message>
        <source>PRE-DELAY</source>
        <translation>PRE-DELAY</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>TIME</source>
        <translation>TIME</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>DIFFUSION</source>
        <translation>DIFFUSION</translation>
    </message>
    <message>
        <source>Reverb is not available
at 176.4 kHz and 192 kHz.</source>
        <translation>176.4 kHz / 192 kHz では
リバーブを使用できません。</translation>
    </message>
    <message>
        <source>HALL</source>
        <translation>HALL</translation>
    </message>
    <message>
        <source>ROOM</source>
        <translation>ROOM</translation>
    </message>
    <message>
        <source>LIVE</source>
        <translation>LIVE</translation>
    </message>
    <message>
        <source>STUDIO</source>
        <translation>STUDIO</translation>
    </message>
    <message>
        <source>PLATE</source>
        <translation>PLATE</translation>
    </message>
    <message>
        <source>Reverb type %1</source>
        <translation>リバーブタイプ %1</translation>
    </message>
</context>
<context>
    <name>RoutingPage</name>
    <message>
        <source>Each line output plays the source chosen beside it. The choices are kept and sent to the unit again whenever it is connected.</source>
        <translation>各ライン出力からは、横で選んだソースが出力されます。選択は保存され、本体を接続するたびに送り直されます。</translation>
    </message>
    <message>
        <source>LINE OUT %1</source>
        <translation>LINE OUT %1</translation>
    </message>
    <message>
        <source>MONITOR CONTROL</source>
        <translation>モニターコントロール</translation>
    </message>
    <message>
        <source>Listen to any source on one pair of line outputs. The other pairs are muted while monitoring; closing the monitor gives every output back its source above.</source>
        <translation>任意のソースを 1 組のライン出力で試聴できます。モニター中はほかの出力がミュートされ、モニターを閉じると各出力は上で選んだソースに戻ります。</translation>
    </message>
    <message>
        <source>Analogue and optical inputs</source>
        <translation>アナログ／オプティカル入力</translation>
    </message>
    <message>
        <source>Master mix</source>
        <translation>マスターミックス</translation>
    </message>
    <message>
        <source>Aux buses</source>
        <translation>AUX バス</translation>
    </message>
    <message>
        <source>Computer playback</source>
        <translation>コンピューターの再生音</translation>
    </message>
    <message>
        <source>Monitor control</source>
        <translation>モニターコントロール</translation>
    </message>
</context>
<context>
    <name>RoutingSection</name>
    <message>
        <source>MIXER</source>
        <translation>ミキサー</translation>
    </message>
    <message>
        <source>INTERFACE</source>
        <translation>インターフェース</translation>
    </message>
</context>
<context>
    <name>SceneFile</name>
    <message>
        <source>It is not a text file: it is damaged or not a scene.</source>
        <translation>テキストファイルではありません。壊れているか、シーンではありません。</translation>
    </message>
    <message>
        <source>Line %1 is not a setting: the file is damaged or not a scene.</source>
        <translation>%1 行目は設定ではありません。ファイルが壊れているか、シーンではありません。</translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation>読み込めません: %1</translation>
    </message>
    <message>
        <source>It is far too large to be a scene.</source>
        <translation>シーンとしては大きすぎます。</translation>
    </message>
    <message>
        <source>It is empty.</source>
        <translation>空です。</translation>
    </message>
    <message>
        <source>It is damaged.</source>
        <translation>壊れています。</translation>
    </message>
    <message>
        <source>It is damaged: %1 holds &quot;%2&quot;.</source>
        <translation>壊れています: %1 の値が「%2」です。</translation>
    </message>
    <message>
        <source>It holds no mix of this panel.</source>
        <translation>このパネルのミックスが含まれていません。</translation>
    </message>
</context>
<context>
    <name>SceneFiles</name>
    <message>
        <source>Scenes (*.%1)</source>
        <translation>シーン (*.%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Export Scene</source>
        <translation>シーンの書き出し</translation>
    </message>
    <message>
        <source>Import Scene</source>
        <translation>シーンの読み込み</translation>
    </message>
    <message>
        <source>The scene could not be written to %1.</source>
        <translation>シーンを %1 に書き込めませんでした。</translation>
    </message>
    <message>
        <source>%1 cannot be imported.</source>
        <translation>%1 は読み込めません。</translation>
    </message>
    <message>
        <source>Import %1</source>
        <translation>%1 の読み込み</translation>
    </message>
    <message>
        <source>Now Loading...</source>
        <translation>読み込み中...</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>シーン</translation>
    </message>
</context>
<context>
    <name>SceneMemories</name>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation>AVENOR LYNTRA 設定パネル</translation>
    </message>
    <message>
        <source>The scene memory could not be saved.</source>
        <translation>シーンメモリーを保存できませんでした。</translation>
    </message>
    <message>
        <source>This scene memory does not exist.</source>
        <translation>このシーンメモリーは存在しません。</translation>
    </message>
    <message>
        <source>The scene memory could not be loaded.</source>
        <translation>シーンメモリーを読み込めませんでした。</translation>
    </message>
    <message>
        <source>Now Loading...</source>
        <translation>読み込み中...</translation>
    </message>
    <message>
        <source>This operation initializes ALL Scene Memories.&lt;br&gt;Are you sure?</source>
        <translation>すべてのシーンメモリーを初期化します。&lt;br&gt;よろしいですか？</translation>
    </message>
    <message>
        <source>Scene Memory file has been initialized.</source>
        <translation>シーンメモリーのファイルを初期化しました。</translation>
    </message>
    <message>
        <source>Some scene memories could not be erased.</source>
        <translation>一部のシーンメモリーを消去できませんでした。</translation>
    </message>
    <message>
        <source>Save mixer settings?&lt;p&gt;Current Mixer Configuration and levels will be saved into the unit.</source>
        <translation>ミキサー設定を保存しますか？&lt;p&gt;現在のミキサー構成とレベルを本体に保存します。</translation>
    </message>
    <message>
        <source>This operation initializes MIXER Panel &amp; ROUTING Panel parameters.&lt;br&gt;Are you sure?</source>
        <translation>ミキサーパネルとルーティングパネルのパラメーターを初期化します。&lt;br&gt;よろしいですか？</translation>
    </message>
    <message>
        <source>Now Initializing...</source>
        <translation>初期化中...</translation>
    </message>
    <message>
        <source>The settings could not be initialized.</source>
        <translation>設定を初期化できませんでした。</translation>
    </message>
    <message>
        <source>Load %1</source>
        <translation>%1 の読み込み</translation>
    </message>
    <message>
        <source>Initialize</source>
        <translation>初期化</translation>
    </message>
</context>
<context>
    <name>SceneMemoryDialog</name>
    <message>
        <source>Empty Name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Rename the SceneMemory</source>
        <translation>シーンメモリーの名前の変更</translation>
    </message>
    <message>
        <source>Enter the name of this SceneMemory:</source>
        <translation>このシーンメモリーの名前を入力してください:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>Enpty Field</source>
        <translation>未入力</translation>
    </message>
    <message>
        <source>Please enter the name</source>
        <translation>名前を入力してください</translation>
    </message>
</context>
<context>
    <name>SourceName</name>
    <message>
        <source>INPUT %1</source>
        <translation>INPUT %1</translation>
    </message>
    <message>
        <source>OPT A%1</source>
        <translation>OPT A%1</translation>
    </message>
    <message>
        <source>OPT B%1</source>
        <translation>OPT B%1</translation>
    </message>
    <message>
        <source>MASTER L</source>
        <translation>MASTER L</translation>
    </message>
    <message>
        <source>MASTER R</source>
        <translation>MASTER R</translation>
    </message>
    <message>
        <source>AUX %1</source>
        <translation>AUX %1</translation>
    </message>
    <message>
        <source>COMPUTER %1</source>
        <translation>COMPUTER %1</translation>
    </message>
    <message>
        <source>OPTICAL A%1</source>
        <translation>OPTICAL A%1</translation>
    </message>
    <message>
        <source>OPTICAL B%1</source>
        <translation>OPTICAL B%1</translation>
    </message>
</context>
<context>
    <name>StereoStrip</name>
    <message>
        <source>LINK</source>
        <translation>LINK</translation>
    </message>
    <message>
        <source>Ø L</source>
        <translation>Ø L</translation>
    </message>
    <message>
        <source>Ø R</source>
        <translation>Ø R</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>CMP</source>
        <translation>CMP</translation>
    </message>
    <message>
        <source>PAN L</source>
        <translation>PAN L</translation>
    </message>
    <message>
        <source>PAN R</source>
        <translation>PAN R</translation>
    </message>
</context>
<context>
    <name>StripWidget</name>
    <message>
        <source>MUTE</source>
        <translation>MUTE</translation>
    </message>
    <message>
        <source>SOLO</source>
        <translation>SOLO</translation>
    </message>
    <message>
        <source>PRE</source>
        <translation>PRE</translation>
    </message>
    <message>
        <source>POST</source>
        <translation>POST</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>aux %1 pre</source>
        <translation>AUX %1 プリ</translation>
    </message>
    <message>
        <source>aux %1 post</source>
        <translation>AUX %1 ポスト</translation>
    </message>
</context>
<context>
    <name>UndoHistory</name>
    <message>
        <source>Undo %1</source>
        <translation>元に戻す: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>やり直す: %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
</context>
<context>
    <name>UnitAccessNote</name>
    <message>
        <source>&lt;b&gt;A LYNTRA unit is plugged in, but this session may not open it.&lt;/b&gt;&lt;p&gt;Either the panel&apos;s udev rule is missing, or this session is not the active seat (a remote login, or another user is logged in at the computer).&lt;/p&gt;&lt;p&gt;To install the rule, run this command, then unplug the unit and plug it in again:&lt;/p&gt;&lt;p style=&quot;font-family: monospace&quot;&gt;sudo apt install --reinstall lyntra-panel&lt;/p&gt;</source>
        <translation>&lt;b&gt;LYNTRA ユニットは接続されていますが、このセッションからは開けません。&lt;/b&gt;&lt;p&gt;パネルの udev ルールがインストールされていないか、このセッションがアクティブなシートではありません(リモートログイン、または別のユーザーがこのコンピューターにログインしています)。&lt;/p&gt;&lt;p&gt;ルールをインストールするには次のコマンドを実行し、ユニットを一度抜いてから接続し直してください:&lt;/p&gt;&lt;p style=&quot;font-family: monospace&quot;&gt;sudo apt install --reinstall lyntra-panel&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;A LYNTRA unit is plugged in, but it is busy.&lt;/b&gt;&lt;p&gt;Another program is using it. Close that program, or unplug the unit and plug it in again.&lt;/p&gt;</source>
        <translation>&lt;b&gt;LYNTRA ユニットは接続されていますが、使用中です。&lt;/b&gt;&lt;p&gt;別のプログラムがユニットを使用しています。そのプログラムを終了するか、ユニットを一度抜いてから接続し直してください。&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>wholefile</name>
    <message>
        <source>The file is too large to be a settings file.</source>
        <translation>ファイルが大きすぎるため、設定ファイルとして読み込めません。</translation>
    </message>
</context>
</TS>
