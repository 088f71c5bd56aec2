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
        <source>View</source>
        <translation>表示</translation>
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
        <source>SceneMemory</source>
        <translation>シーンメモリー</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
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
