<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>BufferSize</name>
    <message>
        <source>%1 Samples</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sound server found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for a sound server...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sets the quantum of PipeWire %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelEditor</name>
    <message>
        <source>LO CUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClockStatus</name>
    <message>
        <source>Internal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unlocked (or No Signal)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Good</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample Rate Mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manually configured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phase Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: UNKNOWN</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ControlNames</name>
    <message>
        <source>MASTER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>control and side</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>strip and control</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minus infinity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minus %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plus %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minus %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>number and unit</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>low cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compressor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>solo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>true bypass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aux %1 send point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aux %1 send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb pre-delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb diffusion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor master</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT %1-%2 monitor level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT %1 monitor level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor right source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor left source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT %1 source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compressor threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compressor ratio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compressor gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compressor attack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compressor release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ high gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ high-mid gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ low-mid gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ low gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ high frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ high-mid frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ low-mid frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ low frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ high-mid Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ low-mid Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>infinity to 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>milliseconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hertz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Q %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>neither pre nor post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InformationBox</name>
    <message>
        <source>Update now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not show the same message again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InformationDialog</name>
    <message>
        <source>AVENOR LYNTRA K1/K2 Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If noise occurs, ensure your computer&apos;s power option is set to &apos;High Performance.&apos;&lt;p&gt;Also select the ASIO Driver type within your Audio Software for best performance.&lt;p&gt;Setup information and more FAQs are available on our website:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not show again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InterfacePage</name>
    <message>
        <source>Auto -  AVENOR Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual -  44.1kHz / 48kHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual -  88.2kHz / 96kHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual -  176.4kHz / 192kHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto follows an AVENOR device; choose a manual format for other equipment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical B Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical A Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driver Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buffer Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIXER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ROUTING</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LicenseDialog</name>
    <message>
        <source>License Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Missing!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is a possibility that the file has been moved or deleted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>Initialize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialize Reverb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialize Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save into the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>- AVENOR Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FAQs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>- Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>- About ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mixer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Routing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Scene...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Scene...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote Control...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;SceneMemory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>AVENOR LYNTRA K1/K2 Settings Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>- LYNTRA K1/K2 -
 Please insert USB cable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mix could not be put back.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MasterStrip</name>
    <message>
        <source>MASTER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUX SENDS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUX %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REVERB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RETURN OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RETURN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MUTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L  MASTER  R</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MixerPage</name>
    <message>
        <source>INPUTS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MixerSection</name>
    <message>
        <source>INTERFACE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ROUTING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This operation initializes Reverb Parameters.&lt;br&gt;Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialize Reverb</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonitorControl</name>
    <message>
        <source>Monitor Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT %1-%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linked, the right side follows the left and one fader sets both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT 1-2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MONITOR
MASTER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINEOUT %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINEOUT %1-%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor on %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonoStrip</name>
    <message>
        <source>TB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CMP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAN</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageNavigator</name>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please connect the device.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PairStrip</name>
    <message>
        <source>LINK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Changing various settings...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>S/PDIF %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OPT %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IN %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S/PDIF</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemoteDialog</name>
    <message>
        <source>Remote Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control the mixer over OSC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The local network too</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UDP port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reach:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listening on port %1 for this computer and its local network (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listening on port %1 for programs on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port %1 is in use by another program. Choose another port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port %1 cannot be opened (%2). Choose another port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no network</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReverbPanel</name>
    <message>
        <source>HALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ROOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LIVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STUDIO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PLATE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REVERB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRE-DELAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIFFUSION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb is not available
at 176.4 kHz and 192 kHz.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverb type %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RoutingPage</name>
    <message>
        <source>Each line output plays the source chosen beside it. The choices are kept and sent to the unit again whenever it is connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE OUT %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MONITOR CONTROL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listen to any source on one pair of line outputs. The other pairs are muted while monitoring; closing the monitor gives every output back its source above.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analogue and optical inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Master mix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aux buses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer playback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor control</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RoutingSection</name>
    <message>
        <source>MIXER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTERFACE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SceneFile</name>
    <message>
        <source>It is not a text file: it is damaged or not a scene.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 is not a setting: the file is damaged or not a scene.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is far too large to be a scene.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is damaged: %1 holds &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It holds no mix of this panel.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SceneFiles</name>
    <message>
        <source>Scenes (*.%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Scene</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Scene</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scene could not be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now Loading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scene</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SceneMemories</name>
    <message>
        <source>AVENOR LYNTRA Settings Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scene memory could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This scene memory does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scene memory could not be loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now Loading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This operation initializes ALL Scene Memories.&lt;br&gt;Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scene Memory file has been initialized.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some scene memories could not be erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save mixer settings?&lt;p&gt;Current Mixer Configuration and levels will be saved into the unit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This operation initializes MIXER Panel &amp; ROUTING Panel parameters.&lt;br&gt;Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now Initializing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings could not be initialized.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialize</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SceneMemoryDialog</name>
    <message>
        <source>Empty Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename the SceneMemory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the name of this SceneMemory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enpty Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter the name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SourceName</name>
    <message>
        <source>INPUT %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OPT A%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OPT B%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MASTER L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MASTER R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUX %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COMPUTER %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OPTICAL A%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OPTICAL B%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StereoStrip</name>
    <message>
        <source>LINK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ø L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ø R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CMP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAN L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAN R</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StripWidget</name>
    <message>
        <source>MUTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SOLO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>POST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aux %1 pre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aux %1 post</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UndoHistory</name>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnitAccessNote</name>
    <message>
        <source>&lt;b&gt;A LYNTRA unit is plugged in, but this session may not open it.&lt;/b&gt;&lt;p&gt;Either the panel&apos;s udev rule is missing, or this session is not the active seat (a remote login, or another user is logged in at the computer).&lt;/p&gt;&lt;p&gt;To install the rule, run this command, then unplug the unit and plug it in again:&lt;/p&gt;&lt;p style=&quot;font-family: monospace&quot;&gt;sudo apt install --reinstall lyntra-panel&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;A LYNTRA unit is plugged in, but it is busy.&lt;/b&gt;&lt;p&gt;Another program is using it. Close that program, or unplug the unit and plug it in again.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wholefile</name>
    <message>
        <source>The file is too large to be a settings file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
