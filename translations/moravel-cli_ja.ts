<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Cli</name>
    <message>
        <source>  --from HH:MM --to HH:MM  the time window of the graphs and tables (minutes 00 or 30;
                           whole hours for a period); the same start and stop is the
                           whole day
</source>
        <translation>  --from HH:MM --to HH:MM  グラフと表の時間帯（分は 00 か 30、期間は正時のみ）。
                           開始と終了が同じなら終日
</translation>
    </message>
    <message>
        <source>  --overwrite              replace files that exist
  --quiet                  do not print the files written
</source>
        <translation>  --overwrite              既存のファイルを置き換える
  --quiet                  書き込んだファイルを表示しない
</translation>
    </message>
    <message>
        <source>usage: moravel-cli days CARD

Prints the measured days of the card, the days whose .LAC and .LVC files are both
there, one yyyymmdd a line.
</source>
        <translation>使い方: moravel-cli days CARD

カードの測定日（.LAC と .LVC の両方がある日）を１行に１つ yyyymmdd で表示します。
</translation>
    </message>
    <message>
        <source>usage: moravel-cli csv CARD OUTDIR (--day YYYYMMDD | --period FIRST LAST | --all)
                      [--from HH:MM --to HH:MM] [--overwrite] [--quiet]

Writes the CSV files of the export window into OUTDIR, which is made if it is
missing: --day the combined day file and the raw and day files of the day,
--period the period file, --all every raw and day file of the card. Prints the
files written.

  --from HH:MM --to HH:MM  the time window of the period file (whole hours)
</source>
        <translation>使い方: moravel-cli csv CARD OUTDIR (--day YYYYMMDD | --period FIRST LAST | --all)
                      [--from HH:MM --to HH:MM] [--overwrite] [--quiet]

CSV変換ウィンドウのCSVファイルを OUTDIR（なければ作成）に書き込みます。--day はその日の
まとめファイルと生データ・日データのファイル、--period は期間のファイル、--all はカードの
全ての生データ・日データのファイルです。書き込んだファイルを表示します。

  --from HH:MM --to HH:MM  期間のファイルの時間帯（正時のみ）
</translation>
    </message>
    <message>
        <source>
Level names: Leq Le L05 L10 L50 L90 L95 Lmin Lmax. An option that changes nothing
on the page asked for is a usage error.
</source>
        <translation>
レベル名: Leq Le L05 L10 L50 L90 L95 Lmin Lmax。求めたページで何も変えないオプションは
使い方の誤りです。
</translation>
    </message>
    <message>
        <source>usage: moravel-cli settings CARD [--set NAME=VALUE]... [--not-fat32-ok] [--quiet]

Prints the items of the card&apos;s MORVEL.TXT, one NAME=VALUE a line. With --set,
changes them with the checks of the settings page and writes the file as it
does; nothing is written when a check fails.

  --set NAME=VALUE         site, place, position, noise-regulation,
                           vibration-regulation, notices, institution, person,
                           noise-reference, vibration-reference (0 to 99),
                           week (seven 0 or 1, Monday first), start, stop (HH:MM)
  --not-fat32-ok           write to a card that is not FAT32
  --quiet                  do not print the file written
</source>
        <translation>使い方: moravel-cli settings CARD [--set NAME=VALUE]... [--not-fat32-ok] [--quiet]

カードの MORVEL.TXT の項目を１行に１つ NAME=VALUE で表示します。--set を付けると、
測定項目設定のページと同じ検査をして項目を変え、同じようにファイルを書き込みます。
検査に通らなければ何も書き込みません。

  --set NAME=VALUE         site（現場名）, place（測定場所）, position（測定位置）,
                           noise-regulation, vibration-regulation（規制基準）,
                           notices（特記事項）, institution（測定機関）, person（測定者）,
                           noise-reference, vibration-reference（基準値 0～99）,
                           week（月曜から７つの 0 か 1）, start, stop（LED HH:MM）
  --not-fat32-ok           FAT32 ではないカードにも書き込む
  --quiet                  書き込んだファイルを表示しない
</translation>
    </message>
    <message>
        <source>usage: moravel-cli capacity CARD

Prints the free space of the card and the recording days it leaves.
</source>
        <translation>使い方: moravel-cli capacity CARD

カードの残り容量と記録可能の日数を表示します。
</translation>
    </message>
    <message>
        <source>version takes no arguments</source>
        <translation>version は引数を取りません</translation>
    </message>
    <message>
        <source>usage: moravel-cli version

Prints the version of the application.
</source>
        <translation>使い方: moravel-cli version

アプリケーションのバージョンを表示します。
</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>%1 というコマンドはありません</translation>
    </message>
    <message>
        <source>&quot;moravel-cli --help&quot; lists the commands.</source>
        <translation>「moravel-cli --help」でコマンドの一覧を表示します。</translation>
    </message>
    <message>
        <source>&quot;moravel-cli %1 --help&quot; tells how to use it.</source>
        <translation>「moravel-cli %1 --help」で使い方を表示します。</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>%1 というオプションはありません</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 が２回指定されています</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 には値が必要です</translation>
    </message>
    <message>
        <source>%1 needs %2 values</source>
        <translation>%1 には %2 つの値が必要です</translation>
    </message>
    <message>
        <source>%1 has no effect here: %2</source>
        <translation>%1 はここでは効果がありません: %2</translation>
    </message>
    <message>
        <source>%1 %2: a day is written yyyymmdd, as 20210305</source>
        <translation>%1 %2: 日付は 20210305 のように yyyymmdd で書きます</translation>
    </message>
    <message>
        <source>--from and --to go together</source>
        <translation>--from と --to は一緒に指定します</translation>
    </message>
    <message>
        <source>%1 %2: a time is HH:MM from 00:00 to 23:30, the minutes 00 or 30</source>
        <translation>%1 %2: 時刻は 00:00 から 23:30 までの HH:MM で、分は 00 か 30 です</translation>
    </message>
    <message>
        <source>%1 %2: the time window of a period takes whole hours</source>
        <translation>%1 %2: 期間の時間帯は正時のみです</translation>
    </message>
    <message>
        <source>%1: cannot read the card directory: %2</source>
        <translation>%1: カードのディレクトリを読めません: %2</translation>
    </message>
    <message>
        <source>%1 %2: the card has no measured day of this date</source>
        <translation>%1 %2: カードにこの日付の測定データがありません</translation>
    </message>
    <message>
        <source>--period %1 %2: the last day is before the first</source>
        <translation>--period %1 %2: 最後の日が最初の日より前です</translation>
    </message>
    <message>
        <source>--period %1 %2: %3 measured days; a period holds at most 31</source>
        <translation>--period %1 %2: 測定日が %3 日あります。期間は最大３１日です</translation>
    </message>
    <message>
        <source>give --day or --period</source>
        <translation>--day か --period を指定してください</translation>
    </message>
    <message>
        <source>%1: cannot write into the output directory: %2</source>
        <translation>%1: 出力先のディレクトリに書き込めません: %2</translation>
    </message>
    <message>
        <source>%1: cannot make the output directory: %2: %3</source>
        <translation>%1: 出力先のディレクトリを作成できません: %2: %3</translation>
    </message>
    <message>
        <source>%1: cannot make the output directory: %2</source>
        <translation>%1: 出力先のディレクトリを作成できません: %2</translation>
    </message>
    <message>
        <source>%1: cannot write the file: %2</source>
        <translation>%1: ファイルを書き込めません: %2</translation>
    </message>
    <message>
        <source>%1: the file exists (--overwrite replaces it)</source>
        <translation>%1: ファイルが既に存在します（--overwrite で置き換えます）</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2 is not a level; the levels are %3</source>
        <translation>%1: %2 はレベルではありません。レベルは %3 です</translation>
    </message>
    <message>
        <source>%1 needs at least one level</source>
        <translation>%1 には少なくとも１つのレベルが必要です</translation>
    </message>
    <message>
        <source>%1: %2 is not a level of the %3 channel; its levels are %4</source>
        <translation>%1: %2 は%3のレベルではありません。レベルは %4 です</translation>
    </message>
    <message>
        <source>noise</source>
        <translation>騒音</translation>
    </message>
    <message>
        <source>vibration</source>
        <translation>振動</translation>
    </message>
    <message>
        <source>days takes one card directory</source>
        <translation>days にはカードのディレクトリを１つ指定します</translation>
    </message>
    <message>
        <source>check takes one card directory</source>
        <translation>check にはカードのディレクトリを１つ指定します</translation>
    </message>
    <message>
        <source>rejected without a message: the STOP line of %1.LAC has no colon as its 8th character</source>
        <translation>メッセージなしで受け付けられません: %1.LAC の STOP の行の８文字目がコロンではありません</translation>
    </message>
    <message>
        <source>file system not known (not the root of a volume, or its type cannot be told): the monitor takes FAT32 cards only</source>
        <translation>ファイルシステム不明（ボリュームのルートではないか、種類が分かりません）: 測定器は FAT32 のカードのみ使えます</translation>
    </message>
    <message>
        <source>file system FAT32: the monitor takes this card</source>
        <translation>ファイルシステム FAT32: 測定器はこのカードを使えます</translation>
    </message>
    <message>
        <source>file system %1: the monitor takes FAT32 cards only</source>
        <translation>ファイルシステム %1: 測定器は FAT32 のカードのみ使えます</translation>
    </message>
    <message>
        <source>the card is sound: %1 measured days, %2, %3</source>
        <translation>カードは正常です: 測定日 %1 日、%2、%3</translation>
    </message>
    <message>
        <source>MORVEL.TXT readable</source>
        <translation>MORVEL.TXT 読み込み可</translation>
    </message>
    <message>
        <source>no MORVEL.TXT</source>
        <translation>MORVEL.TXT なし</translation>
    </message>
    <message>
        <source>capacity takes one card directory</source>
        <translation>capacity にはカードのディレクトリを１つ指定します</translation>
    </message>
    <message>
        <source>verify takes a PDF report and a card directory</source>
        <translation>verify にはPDFの報告書とカードのディレクトリを指定します</translation>
    </message>
    <message>
        <source>%1: missing from the card</source>
        <translation>%1: カードにありません</translation>
    </message>
    <message>
        <source>%1: as the report read it</source>
        <translation>%1: 報告書が読んだとおりです</translation>
    </message>
    <message>
        <source>%1: changed since the report was made</source>
        <translation>%1: 報告書の作成後に変更されています</translation>
    </message>
    <message>
        <source>csv takes a card directory and an output directory</source>
        <translation>csv にはカードのディレクトリと出力先のディレクトリを指定します</translation>
    </message>
    <message>
        <source>give one of --day, --period, --all</source>
        <translation>--day、--period、--all のどれか１つを指定してください</translation>
    </message>
    <message>
        <source>the CSV files of --day and --all hold whole days</source>
        <translation>--day と --all のCSVファイルは終日分です</translation>
    </message>
    <message>
        <source>%1: the card holds no measured day</source>
        <translation>%1: カードに測定データがありません</translation>
    </message>
    <message>
        <source>report takes a card directory and an output file</source>
        <translation>report にはカードのディレクトリと出力先のファイルを指定します</translation>
    </message>
    <message>
        <source>%1: the report file ends in .png, .bmp, .jpg or .pdf</source>
        <translation>%1: 報告書のファイルは .png .bmp .jpg .pdf のどれかで終わります</translation>
    </message>
    <message>
        <source>--kind %1: the kinds are full, graph and table</source>
        <translation>--kind %1: 種類は full、graph、table です</translation>
    </message>
    <message>
        <source>--each-day goes with --period and a .pdf file</source>
        <translation>--each-day は --period と .pdf のファイルと一緒に指定します</translation>
    </message>
    <message>
        <source>--summary goes with a .pdf file</source>
        <translation>--summary は .pdf のファイルと一緒に指定します</translation>
    </message>
    <message>
        <source>the graphs of a period are always lines</source>
        <translation>期間のグラフは常に折れ線です</translation>
    </message>
    <message>
        <source>--kind table has no graphs</source>
        <translation>--kind table にはグラフがありません</translation>
    </message>
    <message>
        <source>the graphs of a day are bars of one level without --lines</source>
        <translation>１日のグラフは --lines なしでは１つのレベルの棒グラフです</translation>
    </message>
    <message>
        <source>this page shows neither a bar graph nor a table of one level</source>
        <translation>このページには１つのレベルの棒グラフも表もありません</translation>
    </message>
    <message>
        <source>only the period table of --kind table has columns to choose</source>
        <translation>列を選べるのは --kind table の期間の表だけです</translation>
    </message>
    <message>
        <source>graph takes a card directory and an output file</source>
        <translation>graph にはカードのディレクトリと出力先のファイルを指定します</translation>
    </message>
    <message>
        <source>give --channel S or --channel V</source>
        <translation>--channel S か --channel V を指定してください</translation>
    </message>
    <message>
        <source>--channel %1: the channels are S (noise) and V (vibration)</source>
        <translation>--channel %1: チャンネルは S（騒音）と V（振動）です</translation>
    </message>
    <message>
        <source>%1: the graph file ends in .png, .bmp or .jpg</source>
        <translation>%1: グラフのファイルは .png .bmp .jpg のどれかで終わります</translation>
    </message>
    <message>
        <source>the graph of a period is always lines</source>
        <translation>期間のグラフは常に折れ線です</translation>
    </message>
    <message>
        <source>the graph of a day is bars of one level without --lines</source>
        <translation>１日のグラフは --lines なしでは１つのレベルの棒グラフです</translation>
    </message>
    <message>
        <source>only the bar graph of a day shows one level</source>
        <translation>１つのレベルを示すのは１日の棒グラフだけです</translation>
    </message>
    <message>
        <source>--series: Le is not a level of the vibration channel</source>
        <translation>--series: Le は振動のレベルではありません</translation>
    </message>
    <message>
        <source>date        construction  reference  valid/entries  coverage  Leq    max    at     exceeded
</source>
        <translation>日付        施工日        基準値     測定/区間      測定率    Leq    最大   時刻   超過
</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>○</translation>
    </message>
    <message>
        <source>no</source>
        <translation>－</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 分</translation>
    </message>
    <message>
        <source>noise S</source>
        <translation>騒音 S</translation>
    </message>
    <message>
        <source>vibration V</source>
        <translation>振動 V</translation>
    </message>
    <message>
        <source>summary takes one card directory</source>
        <translation>summary にはカードのディレクトリを１つ指定します</translation>
    </message>
    <message>
        <source>--format %1: the formats are text, csv and json</source>
        <translation>--format %1: 形式は text、csv、json です</translation>
    </message>
    <message>
        <source>settings takes one card directory</source>
        <translation>settings にはカードのディレクトリを１つ指定します</translation>
    </message>
    <message>
        <source>it goes with --set</source>
        <translation>--set と一緒に指定します</translation>
    </message>
    <message>
        <source>--set %1: give NAME=VALUE, the names being %2</source>
        <translation>--set %1: NAME=VALUE の形で指定します。NAME は %2 です</translation>
    </message>
    <message>
        <source>--set %1: %2 is set twice</source>
        <translation>--set %1: %2 が２回指定されています</translation>
    </message>
    <message>
        <source>%1: there is no settings file on the card</source>
        <translation>%1: カードに設定ファイルがありません</translation>
    </message>
    <message>
        <source>%1: the file system is %2, and the monitor takes FAT32 cards only (--not-fat32-ok writes the file all the same)</source>
        <translation>%1: ファイルシステムが %2 です。測定器は FAT32 のカードのみ使えます（--not-fat32-ok で書き込みます）</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>不明</translation>
    </message>
    <message>
        <source>week=%1: seven flags of 0 and 1, Monday first</source>
        <translation>week=%1: 月曜から始まる 0 か 1 を７つ指定します</translation>
    </message>
    <message>
        <source>%1=%2: a time is HH:MM, the minutes 00 or 30</source>
        <translation>%1=%2: 時刻は HH:MM で、分は 00 か 30 です</translation>
    </message>
    <message>
        <source>%1: the settings were not written</source>
        <translation>%1: 設定は書き込まれませんでした</translation>
    </message>
    <message>
        <source>usage: moravel-cli verify REPORT.pdf CARD [--quiet]

Whether the card makes the PDF report: every card file the report records as
it read it, no day file of its period added or missing, MORVEL.TXT as it was,
and every page as the card&apos;s data draws it with the choices the report
records. Exit status 1 with the reason otherwise, also for a file that is not
a PDF, is damaged or was not made by moravel-cli report.

  --quiet                  print nothing but a failure
</source>
        <translation>使い方: moravel-cli verify REPORT.pdf CARD [--quiet]

カードがPDFの報告書をそのとおりに作るかを調べます: 報告書が記録したカードのファイルが全て
読んだとおりで、期間の日ファイルに増減がなく、MORVEL.TXT がそのときのままで、記録された選択で
カードのデータが描くとおりに全てのページがなっているか。そうでなければ理由とともに終了コード 1、
PDFでないファイル、壊れたファイル、moravel-cli report で作られていないファイルも同じです。

  --quiet                  失敗のほかは何も表示しない
</translation>
    </message>
    <message>
        <source>%1 has no %2 beside it: the day is not shown</source>
        <translation>%1 の隣に %2 がありません: この日は表示されません</translation>
    </message>
    <message>
        <source>%1: holds no record of what it was made from (not a report of Moravel, or its metadata was removed)</source>
        <translation>%1: 何から作られたかの記録がありません（もらべるの報告書ではないか、メタデータが取り除かれています）</translation>
    </message>
    <message>
        <source>%1: not a report of Moravel, or its record of what it was made from is incomplete (a report of an earlier version)</source>
        <translation>%1: もらべるの報告書ではないか、何から作られたかの記録が不完全です（以前の版の報告書）</translation>
    </message>
    <message>
        <source>%1: its record names a file outside the card (%2); nothing was read</source>
        <translation>%1: 記録がカードの外のファイル（%2）を指しています。何も読み込んでいません</translation>
    </message>
    <message>
        <source>the report (%1, %2)</source>
        <translation>報告書（%1、%2）</translation>
    </message>
    <message>
        <source>%1: added to the card since the report was made</source>
        <translation>%1: 報告書の作成後にカードに加えられています</translation>
    </message>
    <message>
        <source>MORVEL.TXT: %1 when the report was made, %2 now</source>
        <translation>MORVEL.TXT: 報告書の作成時は %1、今は %2</translation>
    </message>
    <message>
        <source>the card does not hold what %1 was made from: %2</source>
        <translation>カードには%1の元になったものがありません: %2</translation>
    </message>
    <message>
        <source>no temporary directory to make the report again in</source>
        <translation>報告書を作り直す一時ディレクトリがありません</translation>
    </message>
    <message>
        <source>the card no longer gives %1: %2</source>
        <translation>カードからは%1を作れなくなっています: %2</translation>
    </message>
    <message>
        <source>%1 has %2 pages, the card gives %3</source>
        <translation>%1 は %2 ページですが、カードからは %3 ページになります</translation>
    </message>
    <message>
        <source>page %1 differs from what the card gives: it draws other lines or text than the card&apos;s data with the report&apos;s choices</source>
        <translation>%1 ページ目がカードから作ったものと違います: 報告書の選択でカードのデータが描く線や文字と異なります</translation>
    </message>
    <message>
        <source>the card gives %1: every file as it read it, every page as it shows</source>
        <translation>カードから%1が作れます: ファイルは全て読んだとおり、ページは全て表示のとおりです</translation>
    </message>
    <message>
        <source>%1, level %2, time window %3
</source>
        <translation>%1、レベル %2、時間帯 %3
</translation>
    </message>
    <message>
        <source>            above the reference %1-%2, %3, peak %4
</source>
        <translation>            基準値超過 %1-%2、%3、最大 %4
</translation>
    </message>
    <message>
        <source>1 entry</source>
        <translation>1 区間</translation>
    </message>
    <message>
        <source>%1 entries</source>
        <translation>%1 区間</translation>
    </message>
    <message>
        <source>write error: %1</source>
        <translation>書き込みエラー: %1</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>標準出力</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 は値を取りません</translation>
    </message>
    <message>
        <source>%1: no day file and no MORVEL.TXT: not a memory card of the monitor</source>
        <translation>%1: 日ファイルも MORVEL.TXT もありません: 測定器のメモリーカードではありません</translation>
    </message>
    <message>
        <source>is not a regular file: skipped</source>
        <translation>は通常のファイルではありません: 読み飛ばしました</translation>
    </message>
    <message>
        <source>usage: moravel-cli levels CARD --day YYYYMMDD [--from HH:MM[:SS] --to HH:MM[:SS]]
                         [--channel S|V] [--step 1s|10s|1min|10min|1h]
                         [--format text|csv|json]

Prints the raw level files of a day (.LA, .LV, one sample a second) per step: the
valid seconds, Leq (the energy average), Lmax and its time, Lmin and L05, L10, L50,
L90, L95, where L_N is the sample at position ceil(n*N/100) of the n valid samples
sorted from the highest, values to a tenth. A step of 1s prints the samples.

  --day YYYYMMDD           the day
  --from, --to HH:MM[:SS]  the interval (default the whole day; --to may be 24:00)
  --channel S|V            one channel (default both)
  --step STEP              1s, 10s, 1min, 10min (default) or 1h
  --format text|csv|json   a table (default), CSV in code page 932, or JSON
</source>
        <translation>使い方: moravel-cli levels CARD --day YYYYMMDD [--from HH:MM[:SS] --to HH:MM[:SS]]
                         [--channel S|V] [--step 1s|10s|1min|10min|1h]
                         [--format text|csv|json]

１日の生データファイル（.LA、.LV、毎秒１つの値）を区間ごとに表示します: 有効秒数、
Leq（エネルギー平均）、Lmax とその時刻、Lmin、L05、L10、L50、L90、L95。L_N は有効な
n 個の値を大きい順に並べた ceil(n*N/100) 番目の値です。値は0.1単位。区間 1s では
値そのものを表示します。

  --day YYYYMMDD           日
  --from, --to HH:MM[:SS]  区間（既定は１日全体、--to は 24:00 まで）
  --channel S|V            一方のチャンネルだけ（既定は両方）
  --step STEP              1s、10s、1min、10min（既定）、1h
  --format text|csv|json   表（既定）、コードページ932のCSV、JSON
</translation>
    </message>
    <message>
        <source>%1 %2: a time of day is HH:MM or HH:MM:SS</source>
        <translation>%1 %2: 時刻は HH:MM または HH:MM:SS で指定します</translation>
    </message>
    <message>
        <source>levels takes one card directory</source>
        <translation>levels にはカードのディレクトリを１つ指定します</translation>
    </message>
    <message>
        <source>levels needs --day YYYYMMDD</source>
        <translation>levels には --day YYYYMMDD が必要です</translation>
    </message>
    <message>
        <source>--step %1: the steps are 1s, 10s, 1min, 10min and 1h</source>
        <translation>--step %1: 区間は 1s、10s、1min、10min、1h のいずれかです</translation>
    </message>
    <message>
        <source>--to %1 is not after --from %2</source>
        <translation>--to %1 が --from %2 より後ではありません</translation>
    </message>
    <message>
        <source>--channel %1: the channels are S and V</source>
        <translation>--channel %1: チャンネルは S または V です</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1 の %2 行目</translation>
    </message>
    <message>
        <source>usage: moravel-cli check CARD [--raw]

Loads every day as the main window loads it and prints each day the application
would reject with its message, a broken MORVEL.TXT, and the card&apos;s file system.
Exit status 1 when anything is wrong.

  --raw                    also tell, as information, the days whose ten-minute
                           entries differ by more than 1 dB from the statistics of
                           the raw seconds (a raw file of another day file)
</source>
        <translation>使い方: moravel-cli check CARD [--raw]

メインウィンドウと同じように全ての日を読み込み、アプリケーションが受け付けない日を
そのメッセージとともに、破損した MORVEL.TXT、カードのファイルシステムを表示します。
問題があれば終了コードは 1 です。

  --raw                    10分ごとの値が生データの統計と1 dBを超えて異なる日も
                           情報として表示します（別の日のファイルの生データ）
</translation>
    </message>
    <message>
        <source>%1: %2 holds no second of its day (%3 lines of another date)</source>
        <translation>%1: %2 にはその日の値が１秒もありません（別の日付の行 %3）</translation>
    </message>
    <message>
        <source>%1: %2 ten-minute entries of %3 differ by more than 1 dB from the seconds of %4 (the first at %5)</source>
        <translation>%1: %3 の10分値 %2 個が %4 の毎秒の値の統計と1 dBを超えて異なります（最初は %5）</translation>
    </message>
    <message>
        <source>usage: moravel-cli graph CARD FILE (--day YYYYMMDD | --period FIRST LAST)
                        --channel S|V [OPTIONS]

Writes one graph of the main window as a .png, .bmp or .jpg image.

  --channel S|V            noise (S) or vibration (V)
  --size WxH               the size in pixels (default 930x239, a period 945x249)
  --lines                  a day as lines of the series, not bars
  --level NAME             the level of the bars of a day
  --series NAME,...        the levels drawn as lines

usage: moravel-cli graph CARD FILE --raw --day YYYYMMDD
                        [--from HH:MM[:SS] --to HH:MM[:SS]] [--size WxH]

With --raw, the time history of the day&apos;s seconds, noise above vibration, as
the page 時間変化 shows it, as an image or a .pdf; --from and --to give any
second (default the whole day), --size the picture (default 1044x404).
</source>
        <translation>使い方: moravel-cli graph CARD FILE (--day YYYYMMDD | --period FIRST LAST)
                        --channel S|V [オプション]

メインウィンドウのグラフ１つを .png .bmp .jpg の画像に書き込みます。

  --channel S|V            騒音（S）または振動（V）
  --size WxH               ピクセル単位の大きさ（既定 930x239、期間 945x249）
  --lines                  １日を棒ではなく系列の折れ線に
  --level NAME             １日の棒グラフのレベル
  --series NAME,...        折れ線で描くレベル

使い方: moravel-cli graph CARD FILE --raw --day YYYYMMDD
                        [--from HH:MM[:SS] --to HH:MM[:SS]] [--size WxH]

--raw では、その日の毎秒の値の時間変化（騒音の下に振動）を、ページ「時間変化」と
同じように画像または .pdf に書き込みます。--from と --to は任意の秒（既定は１日
全体）、--size は図の大きさ（既定 1044x404）です。
</translation>
    </message>
    <message>
        <source>graph --raw needs --day YYYYMMDD</source>
        <translation>graph --raw には --day YYYYMMDD が必要です</translation>
    </message>
    <message>
        <source>the time history of --raw shows both channels&apos; seconds of one day</source>
        <translation>--raw の時間変化は１日の両チャンネルの毎秒の値を描きます</translation>
    </message>
    <message>
        <source>%1: the graph file ends in .png, .bmp, .jpg or .pdf</source>
        <translation>%1: グラフのファイルは .png .bmp .jpg .pdf のどれかで終わります</translation>
    </message>
    <message>
        <source>usage: moravel-cli COMMAND ARGUMENTS [OPTIONS]

Reads the memory card of a noise and vibration monitor as Moravel does, without a window.

commands:
  days      CARD                  the measured days of the card, one yyyymmdd a line
  check     CARD                  what the application would reject, and the file system
  csv       CARD OUTDIR SELECTION the CSV files of the export window
  report    CARD FILE SELECTION   the report page as .png, .bmp, .jpg or .pdf
  graph     CARD FILE SELECTION   one graph of the main window as an image
  summary   CARD SELECTION        per day: coverage, energy average, maximum, exceedances
  levels    CARD --day YYYYMMDD   the raw seconds of a day: per step Leq, Lmax, L05 ... L95
  events    CARD SELECTION        the events of the raw seconds: runs above a threshold
  verify    REPORT.pdf CARD       whether the card makes a PDF report as it stands
  settings  CARD                  the settings file MORVEL.TXT, shown or changed with --set
  capacity  CARD                  the free space and the recording days left
  version                         the version of the application

CARD is a card directory. SELECTION is --day YYYYMMDD or --period FIRST LAST, days of the
card, a period of at most 31 measured days.
&quot;moravel-cli COMMAND --help&quot; tells more of a command; --version prints the version.
Exit status: 0 done, 1 failed, 2 a usage error.
</source>
        <translation>使い方: moravel-cli コマンド 引数 [オプション]

騒音振動計のメモリーカードを、もらべると同じように、ウィンドウなしで読みます。

コマンド:
  days      CARD                  カードの測定日を１行に１つ yyyymmdd で表示
  check     CARD                  アプリケーションが受け付けない日とファイル、ファイルシステム
  csv       CARD OUTDIR SELECTION CSV変換ウィンドウのCSVファイル
  report    CARD FILE SELECTION   報告書のページ（.png .bmp .jpg .pdf）
  graph     CARD FILE SELECTION   メインウィンドウのグラフ１つを画像に
  summary   CARD SELECTION        日ごとの測定率、エネルギー平均、最大値、基準値の超過
  levels    CARD --day YYYYMMDD   １日の生データ（毎秒）: 区間ごとの Leq、Lmax、L05 … L95
  events    CARD SELECTION        生データのイベント: しきい値を超える続き
  verify    REPORT.pdf CARD       カードがPDFの報告書をそのとおりに作るか
  settings  CARD                  設定ファイル MORVEL.TXT の表示、--set で変更
  capacity  CARD                  残り容量と記録可能の日数
  version                         アプリケーションのバージョン

CARD はカードのディレクトリです。SELECTION は --day YYYYMMDD または --period FIRST LAST
（カードの測定日、期間は最大３１測定日）です。
「moravel-cli コマンド --help」でコマンドの説明を、--version でバージョンを表示します。
終了コード: 0 完了、1 失敗、2 使い方の誤り。
</translation>
    </message>
    <message>
        <source>usage: moravel-cli events CARD (--day YYYYMMDD | --period FIRST LAST)
                         [--channel S|V] [--threshold DB|ref-10] [--gap SECONDS]
                         [--format text|csv|json]

Prints the events of the raw seconds of each day: runs of seconds above the
threshold, joined where fewer than the gap&apos;s seconds lie between them, with
their start, end, duration, peak and its time, Leq and SEL, and whether an
event of the other channel overlaps them.

  --channel S|V            noise (S) or vibration (V) only
  --threshold DB|ref-10    a level in dB, or each day&apos;s reference value less
                           10 dB (the default)
  --gap SECONDS            runs closer than this are one event (default 5)
  --format text|csv|json   a table (default), CSV in code page 932, or JSON
</source>
        <translation>使い方: moravel-cli events CARD (--day YYYYMMDD | --period FIRST LAST)
                         [--channel S|V] [--threshold DB|ref-10] [--gap SECONDS]
                         [--format text|csv|json]

各日の生データ（毎秒の値）のイベントを表示します: しきい値を超える秒の続き
（間がギャップの秒数より短ければ１つ）ごとに、開始、終了、継続時間、最大値と
その時刻、Leq、SEL、もう一方のチャンネルのイベントと重なるか。

  --channel S|V            騒音（S）または振動（V）のみ
  --threshold DB|ref-10    dB のレベル、またはその日の基準値から 10 dB 引いた値（既定）
  --gap SECONDS            これより短い間のイベントは１つ（既定 5）
  --format text|csv|json   表（既定）、コードページ932のCSV、JSON
</translation>
    </message>
    <message>
        <source>%1, method %2, time window %3
</source>
        <translation>%1、判定方法 %2、時間帯 %3
</translation>
    </message>
    <message>
        <source>%1 %2: the methods are statistic, lmax, maxima-mean and maxima-90</source>
        <translation>%1 %2: 判定方法は statistic、lmax、maxima-mean、maxima-90 です</translation>
    </message>
    <message>
        <source>: no reference value
</source>
        <translation>: 基準値がありません
</translation>
    </message>
    <message numerus="yes">
        <source>, above %1 dB: %n event(s)
</source>
        <translation>
            <numerusform>、%1 dB 超: イベント %n 件
</numerusform>
        </translation>
    </message>
    <message>
        <source>start     end       seconds   peak  at        Leq    SEL  coinciding
</source>
        <translation>開始      終了      秒数      最大値 時刻     Leq    SEL  同時
</translation>
    </message>
    <message>
        <source>events takes one card directory</source>
        <translation>events にはカードのディレクトリを１つ指定します</translation>
    </message>
    <message>
        <source>--threshold %1: give a level in dB, as 75 or 72.5, or ref-10</source>
        <translation>--threshold %1: 75 や 72.5 のような dB のレベル、または ref-10 を指定します</translation>
    </message>
    <message>
        <source>--gap %1: give whole seconds from 1 to 3600</source>
        <translation>--gap %1: 1 から 3600 までの整数の秒数を指定します</translation>
    </message>
    <message>
        <source>usage: moravel-cli summary CARD (--day YYYYMMDD | --period FIRST LAST)
                          [--from HH:MM --to HH:MM] [--noise-level NAME]
                          [--vibration-level NAME] [--format text|csv|json]

Prints per day and channel the entries of the time window, those measured, the
energy average of Leq, the maximum of the level and its time, and the runs of
entries above the day&apos;s reference value.

  --noise-level NAME       the noise level examined (default L05)
  --vibration-level NAME   the vibration level examined (default L10)
  --noise-method M         how a ten-minute entry of noise is judged: statistic
                           (the level, the default), lmax, maxima-mean (the mean
                           of the peaks of the events ending in it) or maxima-90
                           (the upper end of the 90 % range of those peaks)
  --vibration-method M     the same for vibration
  --format text|csv|json   a table (default), CSV in code page 932, or JSON

Whatever the method, each day also tells how many entries exceed by Lmax and
(with the raw files) by maxima-90, and warns where those exceed and the method
chosen does not.
</source>
        <translation>使い方: moravel-cli summary CARD (--day YYYYMMDD | --period FIRST LAST)
                          [--from HH:MM --to HH:MM] [--noise-level NAME]
                          [--vibration-level NAME] [--format text|csv|json]

日とチャンネルごとに、時間帯の区間数、測定された区間数、Leq のエネルギー平均、
レベルの最大値とその時刻、その日の基準値を超えた区間の続きを表示します。

  --noise-level NAME       調べる騒音のレベル（既定 L05）
  --vibration-level NAME   調べる振動のレベル（既定 L10）
  --noise-method M         騒音の10分区間の判定方法: statistic（レベル、既定）、
                           lmax、maxima-mean（区間内に終わるイベントの最大値の
                           平均）、maxima-90（それらの最大値の90%レンジの上端）
  --vibration-method M     振動の判定方法（同上）
  --format text|csv|json   表（既定）、コードページ932のCSV、JSON

どの方法でも、各日に Lmax による超過区間数と（生データがあれば）maxima-90 による
超過区間数を示し、それらが超えて選んだ方法では超えないときは警告します。
</translation>
    </message>
    <message>
        <source>usage: moravel-cli report CARD FILE (--day YYYYMMDD | --period FIRST LAST) [OPTIONS]

Writes the report page of the print window: an A4 page as a .png, .bmp or .jpg
image at 144 dots to the inch, or a .pdf of lines and text that records the card
files it was made from (see verify). The directory of FILE is made if it is
missing.

  --kind full|graph|table  graphs and tables (full, the default), graphs, tables
  --lines                  the graphs of a day as lines of the series, not bars
  --noise-level NAME       the level of the noise bars and table (default L05)
  --vibration-level NAME   the level of the vibration bars and table (default L10)
  --series NAME,...        the levels drawn as lines (Le for noise only)
  --columns NAME,...       the columns of the period table of --kind table
                           (Le for noise only)
  --each-day               with --period and a .pdf: one day page per day
  --summary                with a .pdf: a page of the compliance summary after
                           the report&apos;s pages
  --noise-method M, --vibration-method M
                           with --summary: how its entries are judged, as for
                           summary
</source>
        <translation>使い方: moravel-cli report CARD FILE (--day YYYYMMDD | --period FIRST LAST) [オプション]

印刷ウィンドウの報告書のページを書き込みます。.png .bmp .jpg は 144 dpi の A4 の画像、
.pdf は線と文字で描かれ、元になったカードのファイルを記録します（verify を参照）。
FILE のディレクトリがなければ作成します。

  --kind full|graph|table  グラフと表（full、既定）、グラフ、表
  --lines                  １日のグラフを棒ではなく系列の折れ線に
  --noise-level NAME       騒音の棒グラフと表のレベル（既定 L05）
  --vibration-level NAME   振動の棒グラフと表のレベル（既定 L10）
  --series NAME,...        折れ線で描くレベル（Le は騒音のみ）
  --columns NAME,...       --kind table の期間の表の列（Le は騒音のみ）
  --each-day               --period と .pdf で、１日ごとに１ページ
  --summary                .pdf で、報告書のページの後に集計のページ
  --noise-method M, --vibration-method M
                           --summary で、区間の判定方法（summary と同じ）
</translation>
    </message>
    <message>
        <source>only the summary of --summary judges the entries</source>
        <translation>--summary の集計だけが区間を判定します</translation>
    </message>
    <message>
        <source>--size %1: the size is WxH, from %2x%3 to 8000x8000</source>
        <translation>--size %1: 大きさは %2x%3 から 8000x8000 までの WxH です</translation>
    </message>
</context>
</TS>
