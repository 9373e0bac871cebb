#!/usr/bin/env python3
"""Write the two sample texts that ship with Skerrow.

    samples/sample.txt  a short Japanese story, code page 932, CR LF line ends
    samples/sample.dat  a 2ch-style dat thread, code page 932, LF line ends

Usage:  python3 tools/make_samples.py [--out DIR]

DIR defaults to the samples/ folder next to tools/.  The output is the same,
byte for byte, on every run: nothing depends on the clock, the locale or the
machine.  Python's 'cp932' codec encodes the text exactly as Windows code
page 932 does (Shift-JIS with the Microsoft extensions).

Before anything is written the script checks that the texts have the features
a reader of these files must cope with (blank lines, tabs, long lines,
half-width katakana, characters whose second byte is 0x5C, ASCII mixed in,
four "<>" separators on every dat line) and stops with an error if one is
missing, so that an edit of the prose cannot quietly drop them.
"""

import argparse
import hashlib
import datetime
import os
import sys

# ---------------------------------------------------------------------------
# sample.txt: an original short story, "The lighthouse keeper's log".
# One sentence or one log entry per line, paragraphs separated by one blank
# line, chapters by two.  Tab characters separate the date of a log entry
# from its text.
# ---------------------------------------------------------------------------

STORY_TITLE = "灯台守の日誌　―夜汽車にて―"

STORY = [
    ("一　夜汽車", [
        [
            "祖父から小包が届いたのは、十一月の最初の月曜日だった。",
            "茶色い紙に麻紐をかけただけの、いかにも祖父らしい包みで、宛名の字は少し震えていた。",
            "中には古い大学ノートが四冊と、夜行列車の寝台券が一枚、それに電報が一通入っていた。",
            "電報には、片仮名でこう打ってあった。",
        ],
        [
            "ﾆｯｼ ｵｸﾙ ﾖﾙﾉ ｷｼｬﾃﾞ ﾖﾒ ﾄｳﾀﾞｲﾃﾞ ﾏﾂ",
        ],
        [
            "今どき電報を打つ人がいることに、私はまず驚いた。",
            "それから、電報というものがまだこの国で打てることに、もう一度驚いた。",
            "小包と一緒に電報を送る必要がどこにあるのか、私にはわからなかった。",
            "けれど、祖父にはきっと祖父なりの順序があったのだろう。",
        ],
        [
            "祖父は四十年近く、北の岬で灯台守をしていた。",
            "その灯台が無人化されることになり、最後の点灯を人の手でやる夜があるのだと、母から聞いていた。",
            "母は行けないと言った。足を悪くしていて、長い旅は無理だった。",
            "「あんたが行ってあげて」と母は電話で言い、それから少し黙った。",
            "「お父さん、あんたのことを呼んだのね」",
            "その声がうれしそうなのか寂しそうなのか、私には聞き分けられなかった。",
        ],
        [
            "寝台券の日付は、その週の金曜日だった。",
            "私は会社に三日の休みを願い出て、四冊のノートを鞄の底にしまった。",
            "ノートの表紙はどれも日に焼けて、角が丸くなっていた。",
            "旅の支度といっても、着替えと歯ブラシと、ソックスの替えを二足入れただけだった。",
        ],
        [
            "金曜日の駅は、週末を待ちかねた人たちで混み合っていた。",
            "夜行列車の出る十二番線だけは不思議に静かで、冷たい風がレールの上を渡っていった。",
            "発車案内の表示板には、昔ながらの半角の片仮名が一行だけ灯っていた。",
        ],
        [
            "ﾔｺｳ ｷｭｳｺｳ  ﾐｻｷｸﾞﾁ ﾕｷ  ｼﾝﾀﾞｲｼｬ ﾊ 3ｺﾞｳｼｬ ｶﾗ 6ｺﾞｳｼｬ",
        ],
        [
            "「Night Express No.7 / Car 3, Berth 12 (lower) / dep. 23:45, arr. 06:10」という英語の行が、切符の下の端に小さく刷られていた。",
        ],
        [
            "三号車の十二番、下段の寝台に荷物を置いた。",
            "カーテンを引くと、そこは畳一枚ほどの、小さな自分だけの部屋になった。",
            "枕元には読書灯がひとつあって、スイッチを入れると手元だけが黄色く明るくなった。",
            "壁には小さな棚と、帽子掛けと、時刻表を差しておくための金具がついていた。",
            "定刻に、列車は音もなく動き出した。",
            "窓の外で、駅の明かりがゆっくりと後ろへ流れていき、やがて街の明かりもまばらになった。",
        ],
        [
            "車掌が検札に来たのは、最初の停車駅を過ぎてからだった。",
            "白い手袋をした年配の車掌で、切符を見ると少しだけ目を細めた。",
            "「岬口まで、お一人ですか」",
            "「祖父が灯台にいるんです」と私は答えた。",
            "「ああ、あの灯台ですか」と車掌は言い、帽子のつばに手をやった。",
            "「明日の晩が最後だそうですね。この線の機関士はみんな、あの光を見て育ったようなものです」",
            "車掌が行ってしまうと、私は鞄から、いちばん古いノートを取り出した。",
        ],
        [
            "通路の明かりが落とされると、車内は急に静かになった。",
            "どこかの寝台から、小さないびきと、ページをめくる音が聞こえた。",
            "この車両にも、夜通し本を読む人がいるのだと思うと、少し心強かった。",
        ],
    ]),
    ("二　一冊目", [
        [
            "表紙には、黒いインクで「灯台日誌　第一号」とだけ書いてあった。",
            "最初の頁をめくると、若いころの祖父の、角張った字が並んでいた。",
            "日付、天気、風、波、それに灯火の具合が、一日一行ずつ、短く記されている。",
        ],
        [
            "十月一日\t晴　北西の風やや強し　灯火異常なし",
            "十月二日\t曇のち雨　視程不良　霧笛を二時間鳴らす",
            "十月三日\t雨　東の風　レンズ清掃　油の補給を一日早める",
            "十月四日\t晴　波おだやか　漁船三隻、日没前に帰港",
            "十月五日\t晴　風なし　夜、星多し",
        ],
        [
            "私は一行を読むごとに顔を上げ、暗い窓を眺めた。",
            "列車が揺れるので、長い文章を追うのは難しかったが、祖父の日誌は一行で一日が終わる。",
            "それが、夜汽車の読書にはちょうどよかった。",
            "一行読んで、窓を見て、また一行読む。",
            "そうしているうちに、列車の揺れと祖父の一日が、同じ拍子で進んでいくような気がした。",
        ],
        [
            "読み進めるうちに、短い記録のあいだに、ときどき別の言葉がまじるようになった。",
            "「今日、初めて一人で点灯す。手が震えた」",
            "「灯台の階段は百十二段。数えながら上ると、息が切れない」",
            "「港の郵便局長いわく、昔の天気予報は当たらなかった。今も当たらない」",
            "「妻より手紙。港の桜が咲いたと」",
        ],
        [
            "妻というのは、私が会ったことのない祖母のことだ。",
            "祖母は母が小さいころに亡くなり、写真が一枚残っているだけだった。",
            "写真の祖母は、灯台の前で風に髪を押さえて、少し困ったような顔で笑っていた。",
            "日誌の中の祖母は、手紙を書き、魚を干し、ときどき灯台まで弁当を届けに来ていた。",
            "「弁当に卵焼き。甘すぎると言ったら、次から塩辛くなった」",
            "「塩辛すぎると言ったら、弁当が来なくなった」",
            "「謝りに行く。卵焼きはまた甘くなった」",
            "私は、声を出さずに笑った。",
            "祖父は母にも私にも、そういう話を一度もしたことがなかった。",
        ],
        [
            "一冊目の終わりのほうに、灯台の図が鉛筆で描いてあった。",
            "灯室、レンズ、回転機械、油の缶の置き場所、それに階段の踊り場の数まで、細かく書きこんである。",
            "図の下には「新しく来た者のために」とあった。",
            "けれど、祖父のあとに新しく来た者は、結局いなかったのだと思う。",
        ],
        [
            "一冊目の最後の頁には、日付のない一行があった。",
            "「灯台守の仕事は、光を守ることではなく、光が届いていると信じることだ」",
            "誰かの言葉を書き写したのか、祖父自身の考えなのか、それはわからなかった。",
            "私はその頁に指をはさんだまま、しばらく目を閉じた。",
        ],
    ]),
    ("三　嵐の夜", [
        [
            "二冊目は、一冊目よりも字がやわらかくなっていた。",
            "日々の記録は相変わらず一行ずつだったが、半ばあたりに、ほかとは違ってびっしりと字の詰まった頁があった。",
            "日付は十二月十日で、天気の欄には「暴風」とだけ書いてあった。",
        ],
        [
            "夜半より風いよいよ強く、宿舎の窓の鎧戸が一枚飛ぶ。"
            "灯室の硝子に潮が吹きつけて白くなり、沖から見れば光が弱って見えるにちがいないと思い、"
            "布を持って二度、三度と外の回廊に出る。"
            "手すりにつかまっていなければ体ごと持っていかれそうな風で、拭いたそばからまた白くなる。"
            "沖に一隻、灯りの見える船があり、岬をかわそうとしているのがわかる。"
            "こちらの光が見えているかどうか、それだけを考えて、夜明けまで拭きつづけた。"
            "朝になって船の姿はなく、港に入ったのか、沖へ出たのか、わからないまま交代の時刻になった。",
        ],
        [
            "次の頁には、二日後の日付で、一行だけ書き足してあった。",
            "「港より連絡。あの船、無事入港。船長より礼状とどく」",
            "礼状は、ノートのその頁に、糊で丁寧に貼りつけてあった。",
            "便箋は黄ばんでいたが、万年筆の字ははっきりと読めた。",
        ],
        [
            "灯台守様。先夜の嵐の折には、貴台の灯火を頼りに岬をかわし、乗組員一同、無事に港へ帰ることができました。"
            "光はときどきかすんで見えなくなり、そのたびにまた明るく見えるようになりましたので、"
            "誰かが硝子を拭いてくれているのだろうと、甲板の者たちと話しておりました。"
            "寒い夜に、本当にありがとうございました。"
            "港へお越しの折には、どうぞ船にお寄りください。熱いお茶くらいは、いつでもお出しできます。",
        ],
        [
            "祖父がこの手紙のことを話したことも、やはり一度もなかった。",
            "私は寝台の上で膝を抱え、しばらく、窓に映る自分の顔を見ていた。",
            "窓の向こうでは、ときどき踏切の警報機が鳴り、赤い光が一瞬だけ近づいて、すぐに遠ざかった。",
            "あの夜の船の人たちにとって、祖父の光もこんなふうだったのだろうか。",
            "見えたと思ったら消え、消えたと思ったら、また見える。",
            "それでも、そこに誰かがいると信じられる光。",
        ],
        [
            "二冊目の残りは、また一行ずつの日々に戻っていた。",
            "嵐の翌週には、こんな記録があった。",
            "十二月十八日\t晴　鎧戸を修理　船長より干物一箱とどく　礼を書く",
            "干物のことまで書いておくのが、いかにも祖父だと思った。",
        ],
    ]),
    ("四　三冊目", [
        [
            "夜中の二時を過ぎると、列車は山あいの長いトンネルをいくつも抜けた。",
            "トンネルに入るたびに窓の外は真っ黒になり、読書灯の明かりだけが残った。",
            "通路の向こうの寝台から、子どもの寝言が聞こえた。",
            "「ソーダ、もう一杯」と言ったように聞こえて、私はまた少し笑った。",
            "眠れないまま、三冊目のノートを開いた。",
        ],
        [
            "ふと、祖父も夜の灯室で、こうして本を読んでいたのだろうかと思った。",
            "日誌の余白には、ときどき本の題名らしいものが書きこまれていた。",
            "「航海記、三巻目。船乗りは皆、陸の灯を恋しがる」",
        ],
        [
            "三冊目は、母が生まれた年から始まっていた。",
            "「女の子。名前は妻がつける」",
            "「夜泣きがひどい。灯台のほうが静かだ」",
            "「娘、初めて立つ。灯台の壁につかまって」",
            "「娘が初めて灯台に上る。百十二段を、自分の足で。途中で三回休む」",
            "そのあと、頁の端に小さな字で、こう書き添えてあった。",
            "「光を見せたら、泣きやんだ」",
        ],
        [
            "その少しあとから、日誌の字はまた硬くなった。",
            "天気と風と波だけの行が、何頁も続いた。",
            "祖母が亡くなったのがいつだったのか、日誌には書いてなかった。",
            "ただ、ある日付の行だけが、ほかより少し長かった。",
            "「雨。灯火異常なし。娘を港の妹の家に預ける。灯台は、子どもには寂しすぎる」",
            "私は、その一行を何度も読み返した。",
            "母がなぜ、岬の話をするときにいつも少しだけ遠い目をするのか、わかったような気がした。",
        ],
        [
            "子どものころ、私は祖父が少し怖かった。"
            "夏休みに母に連れられて岬へ行くと、祖父はいつも灯台の仕事で忙しく、口数も少なくて、"
            "夕食のときにぽつりと天気のことを言うくらいだった。"
            "日が沈むころになると、祖父は黙って立ち上がり、灯台のほうへ歩いていった。"
            "私は宿舎の窓から、灯台のてっぺんに光がともり、ゆっくりと回り始めるのを見ていた。"
            "あの光を回しているのが祖父なのだと思うと、怖いのとは別の、なにかくすぐったいような気持ちになったのを覚えている。"
            "けれど、それを祖父に言ったことはなかったし、祖父が何を思ってあの階段を上っていたのかを、尋ねたこともなかった。",
        ],
        [
            "三冊目の最後の頁には、母が港の高校を出た日のことが書いてあった。",
            "「娘、都会の学校へ行く。汽車の窓から手を振る。こちらは灯台の上から光で応える。見えたかどうか」",
            "母からその話を聞いたことがあったかどうか、私は思い出せなかった。",
            "たぶん、なかったのだと思う。",
            "この家の人たちは、大事なことをみんな、どこかに書いておくだけで、口には出さないのだ。",
        ],
    ]),
    ("五　夜明け前", [
        [
            "明け方近く、列車はひとつの小さな駅に長く停まった。",
            "機関車を付け替えるのだと、車内の放送が言った。",
            "ホームの売店はまだ閉まっていたが、車掌が魔法瓶のお茶を配って回っていた。",
            "「冷えますから」と言って、車掌は紙コップを私の手に持たせた。",
            "番茶の湯気が、読書灯の光の中でゆっくりとほどけていった。",
        ],
        [
            "「日誌ですか」と、車掌はノートに目を落として言った。",
            "「祖父のです。一晩で読めと言われて」",
            "「一晩で四十年分とは、なかなかの予定ですな」",
            "車掌は笑い、それから少しまじめな顔になった。",
            "「でも、一行ずつなら読めますよ。汽車だって、一駅ずつしか進みませんから」",
            "私はうなずいて、紙コップを両手で包んだ。",
        ],
        [
            "車掌が行ってしまうと、私は四冊目のノートを開いた。",
            "四冊目は、まだ半分ほどが白紙だった。",
            "最後のほうの記録は、字が細く、ところどころ揺れていた。",
        ],
        [
            "十月二十日\t晴　風弱し　自動化工事の説明あり",
            "十月二十一日\t晴　工事の人たちと茶を飲む　よく働く若い人たち",
            "十月二十九日\t曇　新しい機械の試験点灯　わしの出番なし",
            "十一月一日\t雨　孫に日誌を送る　読めるかどうかはわからない",
        ],
        [
            "最後の記録は、一週間ほど前の日付だった。",
            "「あと一晩。最後の点灯は、誰かに見ていてほしい」",
            "私はノートを閉じ、読書灯を消して、しばらく暗い窓の外を見ていた。",
            "機関車を付け替えた列車は、ゆっくりと海沿いの線路に出ていった。",
            "そのとき、遠くの闇の中で、白い光がひとつ、ゆっくりと回った。",
            "まだずいぶん遠いはずなのに、その光は、まっすぐこの窓に届いているように見えた。",
        ],
        [
            "光は十秒ごとに一度、闇をなでるように海の上を渡り、そのたびに波頭が一瞬だけ白く浮かんで、また消えた。"
            "私は腕時計を見ながら数を数え、十まで数えたところでちょうど光が来るのを、何度も確かめた。"
            "祖父が四十年のあいだ、雨の夜も雪の夜も、毎晩同じ間隔で回しつづけてきた光だった。",
        ],
    ]),
    ("六　岬", [
        [
            "岬口の駅に着いたのは、六時十分、定刻どおりだった。",
            "ホームに降りると、潮の匂いのする冷たい風が顔に当たった。",
            "改札の向こうに、古い外套を着た祖父が、懐中電灯を持って立っていた。",
            "もう明るくなりかけているのに、懐中電灯はまだ点いていた。",
            "「読んだか」と、祖父は言った。",
            "「読んだよ。一行ずつ」と私は答えた。",
            "祖父はそれ以上何も言わず、私の鞄を取って、先に立って歩き出した。",
        ],
        [
            "灯台までの道は、子どものころに歩いたのと同じ、海沿いの細い坂道だった。",
            "道の脇では、枯れかけた浜菊が風にゆれていた。",
            "祖父は歩くのがずいぶん遅くなっていて、私はときどき立ち止まって待った。",
            "「卵焼きは、甘いのと塩辛いのと、どっちが好き」と私は聞いた。",
            "祖父は立ち止まり、しばらく海のほうを見てから、「甘いほうだ」と言った。",
            "「あれは、甘いほうがよかった」",
        ],
        [
            "灯台の隣の宿舎は、記憶の中よりもずっと小さかった。",
            "台所の棚には湯呑みが二つだけ並び、壁の暦には、予定の欄に赤い丸がひとつついていた。",
            "丸の横には、祖父の字で「点灯　孫」とだけ書いてあった。",
            "祖父は私に番茶を淹れ、自分も向かいに座って、黙って飲んだ。",
            "湯呑みから立つ湯気の向こうで、窓の外の灯台が白く光っていた。",
        ],
        [
            "その日は一日、灯台のまわりに人が出入りしていた。",
            "港の人たち、工事の人たち、新聞社の若い記者、それに、見覚えのある白い手袋の人もいた。",
            "夜行列車の車掌は、非番の日なのだと言って、照れくさそうに帽子を取った。",
            "「最後の晩くらい、線路の上からじゃなく、近くで見たくて」",
            "港の古い漁師は、嵐の夜の船に乗っていたのは自分の父親だと言った。",
            "「親父は死ぬまで、あの晩の話をしてました。誰かが硝子を拭いてくれていたって」",
            "祖父は黙ってうなずき、漁師の差し出した手を、両手で握った。",
        ],
    ]),
    ("七　最後の点灯", [
        [
            "日が沈む少し前、祖父は私を連れて灯台の階段を上った。",
            "「数えながら上ると、息が切れない」と祖父は言った。",
            "私は声に出して数えた。",
            "一、二、三と数えるうちに、祖父の声が重なった。",
            "百十二段目で、私たちは灯室に着いた。",
        ],
        [
            "灯室の硝子の向こうに、暮れかけた海が広がっていた。",
            "大きなレンズが夕日を受けて、何十もの小さな虹を壁に映していた。",
            "祖父は棚から古い布を取り出し、レンズと硝子を、ゆっくりと拭いた。",
            "明日からは、この仕事も機械がやるのだという。",
            "「機械は、よく働く」と祖父は言った。",
            "「自動化されても、灯台の機能は何も変わらん。船から見れば、同じ光だ」",
            "それから、少し間を置いて付け加えた。",
            "「ただ、拭く者がいなくなるだけだ」",
        ],
        [
            "日没の時刻になった。",
            "祖父は私の手を取って、点灯のスイッチに載せた。",
            "「一緒に」と祖父は言った。",
            "私たちは、二人でスイッチを押した。",
            "低い音がして、レンズがゆっくりと回り始め、光が海の上へ伸びていった。",
        ],
        [
            "下の岬から、小さな拍手が聞こえた。",
            "灯室の窓から見下ろすと、集まった人たちの顔が、光が回ってくるたびに白く浮かんだ。",
            "白い手袋の車掌が、帽子を高く振っていた。",
            "港のほうで、船の汽笛が一つ、二つと鳴った。",
            "遠い線路の上を、夜行列車の明かりが、ちょうど岬の前を通り過ぎていくのが見えた。",
            "列車の汽笛が、短く二度鳴った。",
            "「見えたかどうか」と祖父はつぶやいた。",
            "「見えたよ」と私は言った。「きっと、見えてる」",
        ],
        [
            "その夜、私は宿舎の古いソファで、祖父の日誌の続きを書いた。"
            "四冊目の白紙の頁の、最後の記録のすぐ下に、祖父に頼まれたとおり、天気と風と波と、灯火の具合を一行で書いた。"
            "それから少し考えて、その下にもう一行、祖父の字をまねた角張った字で、今夜のことを書き足した。"
            "書き終えてから読み返すと、私の字は祖父の字よりもずっと頼りなく、行はまっすぐに並んでいなかったけれど、"
            "それでもそれは、たしかに日誌の一行だった。",
        ],
        [
            "十一月七日\t晴　北の風弱し　最後の点灯　灯火異常なし",
            "「孫と二人で点灯す。手が震えたのは、今度は孫のほうだった」",
        ],
        [
            "翌朝、私は帰りの寝台券を受け取りに行くついでに、港の郵便局へ寄った。",
            "そして、母に電報を打った。",
        ],
        [
            "ﾄｳﾀﾞｲﾉ ﾋｶﾘ ﾐﾀ ｼﾞｲｻﾝ ﾊ ｱﾏｲ ﾀﾏｺﾞﾔｷｶﾞ ｽｷ",
        ],
        [
            "窓口の人は、電文を読み返して、不思議そうに首をかしげた。",
            "母には、きっと通じるだろうと思った。",
        ],
    ]),
    ("八　上り列車", [
        [
            "上りの夜行列車は、行きと同じ三号車だった。",
            "寝台は十二番の上段で、読書灯の位置が少しだけ違っていた。",
            "検札に来たのは、あの年配の車掌だった。",
            "「おや」と車掌は言い、私の膝の上のノートを見た。",
            "「今度は、何を読んでいるんです」",
            "「祖父の日誌の、五冊目です」と私は答えた。",
        ],
        [
            "五冊目は、祖父が港の文房具屋で買ってくれた、新しいノートだった。",
            "表紙には、まだ何も書いていない。",
            "けれど表紙の裏には、祖父の字で一行だけ書いてあった。",
            "「続きは、一行ずつでよい」",
            "最初の頁に、私は今日の日付と、天気と、風を書いた。",
            "それから、窓の外を見た。",
            "岬の方角で、今夜からは機械の手で回される光が、正確な間隔で闇をなでていた。",
            "同じ光だ、と祖父なら言うだろう。",
            "私は十まで数え、光が来るのを確かめてから、読書灯を消した。",
            "汽車は一駅ずつ、夜の中を進んでいった。",
        ],
    ]),
]

STORY_END = "（了）"


def story_lines():
    """The story as a list of lines, without line ends."""
    lines = [STORY_TITLE, ""]
    for heading, paragraphs in STORY:
        lines += ["", heading, ""]
        for k, para in enumerate(paragraphs):
            if k:
                lines.append("")
            lines += para
    lines += ["", "", STORY_END]
    return lines


# ---------------------------------------------------------------------------
# sample.dat: an original, friendly thread about reading on night trains.
# Each post is (name, mail, body lines).  ">>N" in a body line becomes the
# anchor markup the board writes; everything else is stored as written, so
# any '<', '>', '&' or '"' meant as text is written here as an entity.
# ---------------------------------------------------------------------------

THREAD_TITLE = "【読書灯】夜汽車で本を読むスレ　二両目【寝台】"

NANASHI = "名無しの乗客さん"
OP = "灯台好き</b>◆AbCdEf<b>"
TRIP2 = "名無しの乗客さん</b>◆Rk4mTq9z<b>"

# Each post: (poster, name, mail, lines).  The poster key only feeds the ID.
POSTS = [
    ("op", OP, "", [
        "夜行列車や長距離の在来線で、本を読むのが好きな人のスレです。",
        "持っていく本、読書灯の明るさ、揺れる車内での読み方、お供のお茶など、なんでもどうぞ。",
        "",
        "前スレが埋まったので立てました。のんびりいきましょう。",
    ]),
    ("a", NANASHI, "sage", [
        ">>1 乙です",
        "さっそくだけど、寝台の読書灯って暗くない？",
    ]),
    ("b", NANASHI, "sage", [
        ">>2 暗い。だから字の大きめな文庫を選ぶようにしてる",
    ]),
    ("c", NANASHI, "", [
        "古い車両だと、読書灯が枕と逆側にあったりするよね",
        "頭の向きを変えて寝るはめになる",
    ]),
    ("a", NANASHI, "sage", [
        ">>4 あるあるｗ 足元から光が来るやつ",
    ]),
    ("d", NANASHI, "", [
        "揺れる車内だと、長い段落は目が迷子になる",
        "自分はテキストを一行ずつ表示するビューアで読んでる",
    ]),
    ("e", NANASHI, "sage", [
        ">>6 一行ずつってどういうこと？ &quot;電光掲示板&quot;みたいな感じ？",
    ]),
    ("d", NANASHI, "", [
        ">>7 そうそう、そんな感じ",
        "小さい窓に一行だけ出して、キーを押すと次の行",
        "半透明にして窓の上に重ねておくと、景色と本が同時に楽しめる",
    ]),
    ("f", NANASHI, "sage", [
        ">>8 それは景色が気になって進まなそうｗ",
    ]),
    ("d", NANASHI, "", [
        ">>9 実際そうｗ",
        "でも一行ずつ区切られていると、揺れてもどこを読んでいたか見失わないのがいい",
    ]),
    ("g", NANASHI, "", [
        "夜汽車といえばお茶",
        "魔法瓶に番茶を入れていくのが自分の定番",
    ]),
    ("h", "ほうじ茶&amp;みかん", "sage", [
        ">>11 わかる。ほうじ茶&amp;みかん、最強",
    ]),
    ("b", NANASHI, "sage", [
        ">>12 みかんの皮の匂いが寝台にこもるのがまたいい",
    ]),
    ("i", NANASHI, "", [
        "時刻表を読むのが好きな人いる？",
        "時刻表は、読むだけで旅ができる本だと思ってる",
    ]),
    ("trip2", TRIP2, "", [
        ">>14 ﾉｼ",
        "表紙の裏の路線図を眺めるだけで一時間いける",
    ]),
    ("c", NANASHI, "sage", [
        ">>15 一時間で済むならまだ軽症",
    ]),
    ("op", OP, "", [
        "自分の寝台の並べ方（参考まで）",
        "&nbsp;&nbsp;1. 文庫本は枕元の棚",
        "&nbsp;&nbsp;2. 魔法瓶は足元",
        "&nbsp;&nbsp;3. みかんは窓際",
        "窓際のみかんが冷えてちょうどよくなる",
    ]),
    ("j", NANASHI, "sage", [
        ">>17 窓際に置いたら朝には冷凍みかんになってそう",
    ]),
    ("op", OP, "", [
        "<font color=red>【お願い】</font>",
        "次スレは >>950 を踏んだ人がお願いします",
        "立てられないときは申告してください",
    ]),
    ("e", NANASHI, "", [
        "読書灯の明るさ（自分調べ）",
        "新しい車両 &gt; 古い車両 &gt; 懐中電灯",
        "ただし雰囲気は逆順",
    ]),
    ("k", NANASHI, "sage", [
        ">>20 揺れ &lt; 眠気 になった時点で読書終了、までがセット",
    ]),
    ("g", NANASHI, "", [
        "車内販売って最近ほとんど見なくなったね<!-- 前スレ870参照 -->",
        "ワゴンのコーヒーの匂いが好きだった",
    ]),
    ("l", NANASHI, "sage", [
        ">>22 深夜にワゴンが来ると、つい予定外のアイスを買ってしまう",
    ]),
    ("h", NANASHI, "", [
        "好きな一節",
        "&quot;汽車だって、一駅ずつしか進みませんから&quot;",
        "何で読んだか忘れてしまった。夜汽車の車掌さんの台詞だったはず",
    ]),
    ("i", NANASHI, "sage", [
        ">>24 なんかいい言葉だな",
        "長い本を読むときの心構えにしたい",
    ]),
    ("trip2", TRIP2, "", [
        ">>24",
        "灯台守の日誌を孫が読む話じゃなかったっけ。うろ覚えだけど",
    ]),
    ("m", NANASHI, "", [
        "前に、&lt;br&gt;がそのまま表示されるビューアを使っていて",
        "レスが全部一行につながって読みにくかった",
        "ちゃんと改行に直してくれるのはありがたい",
    ]),
    ("d", NANASHI, "sage", [
        ">>27 文字化けもつらいよね",
        "「表」とか「能」とか「ソ」とか、なぜか特定の字だけ化けるやつ",
    ]),
    ("n", NANASHI, "sage", [
        ">>28 懐かしい。「十」が化けて予定表が読めなくなったことがある",
    ]),
    ("a", NANASHI, "", [
        "話を戻して、みんな夜汽車で何読んでる？",
        "自分は旅行記ばかり",
    ]),
    ("f", NANASHI, "", [
        ">>30 短編集。一駅で一編",
    ]),
    ("j", NANASHI, "", [
        ">>30 推理もの。トンネルに入るたびに犯人が変わる（自分の中で）",
    ]),
    ("b", NANASHI, "sage", [
        ">>32 トンネルの暗さで雰囲気が出るのはわかる",
    ]),
    ("k", NANASHI, "", [
        ">>30 あえて何も持たずに、窓の外を読んでる",
        "踏切の光とか、遠くの灯台とか",
    ]),
    ("op", OP, "", [
        ">>34 いいですね",
        "岬の近くを走る線だと、灯台の光が十秒おきに車内まで届くことがあります",
    ]),
    ("l", NANASHI, "sage", [
        ">>35 それを見ながら眠るの最高だな",
    ]),
    ("m", NANASHI, "", [
        "今夜の夜行、乗る人いる？",
        "三号車の下段です。読書灯が明るいといいな",
    ]),
    ("g", NANASHI, "", [
        ">>37 いってらっしゃい",
        "お茶&amp;みかんを忘れずに",
    ]),
    ("c", NANASHI, "sage", [
        ">>37 >>38",
        "良い旅を。揺れ &gt; 眠気 のうちに読み終わりますように",
    ]),
    ("m", NANASHI, "", [
        ">>38 >>39 ありがとう！",
        "帰ってきたら読んだ本を報告します",
    ]),
]

# Minutes (and seconds) between one post and the next.
GAPS = [(0, 0), (3, 12), (5, 41), (2, 7), (9, 30), (1, 55), (12, 4), (4, 18),
        (2, 46), (6, 9), (15, 33), (3, 27), (1, 14), (21, 50), (7, 2),
        (2, 39), (11, 11), (4, 44), (8, 20), (13, 5), (2, 58), (17, 36),
        (5, 3), (24, 49), (3, 30), (6, 16), (38, 7), (4, 52), (9, 9),
        (27, 40), (2, 21), (5, 5), (3, 48), (19, 12), (6, 37), (12, 56),
        (44, 3), (3, 19), (7, 45), (10, 28)]

FIRST_POST_TIME = datetime.datetime(2009, 11, 6, 21, 3, 15)
WEEKDAYS = "月火水木金土日"
ID_CHARS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"


def anchor(number):
    return ('<a href="../test/read.cgi/x/1/%d" target="_blank">'
            '&gt;&gt;%d</a>' % (number, number))


def link_anchors(text):
    """Replace every ">>N" with the board's anchor markup."""
    out = []
    i = 0
    while i < len(text):
        if text.startswith(">>", i):
            j = i + 2
            while j < len(text) and text[j].isdigit():
                j += 1
            if j > i + 2:
                out.append(anchor(int(text[i + 2:j])))
                i = j
                continue
        out.append(text[i])
        i += 1
    return "".join(out)


def poster_id(poster, day):
    """An eight-character ID, the same for one poster on one day."""
    digest = hashlib.md5(("%s/%s" % (poster, day)).encode("ascii")).digest()
    return "".join(ID_CHARS[b % len(ID_CHARS)] for b in digest[:8])


def dat_lines():
    """The thread as a list of dat lines, without line ends."""
    lines = []
    when = FIRST_POST_TIME
    for k, (poster, name, mail, body) in enumerate(POSTS):
        minutes, seconds = GAPS[k]
        when += datetime.timedelta(minutes=minutes, seconds=seconds)
        date = "%s(%s) %s ID:%s" % (
            when.strftime("%Y/%m/%d"), WEEKDAYS[when.weekday()],
            when.strftime("%H:%M:%S"), poster_id(poster, when.date()))
        text = " " + " <br> ".join(link_anchors(s) for s in body) + " "
        title = THREAD_TITLE if k == 0 else ""
        lines.append("<>".join([name, mail, date, text, title]))
    return lines


# ---------------------------------------------------------------------------
# Checks and output
# ---------------------------------------------------------------------------

# Characters whose code page 932 form ends in 0x5C, the byte of '\'.
BACKSLASH_TRAIL = "表能ソ十予"


class SampleError(Exception):
    pass


def require(condition, message):
    if not condition:
        raise SampleError(message)


def is_halfwidth_katakana(ch):
    return "\uff61" <= ch <= "\uff9f"


def count_separators(raw):
    """Count "<>" as the reader does: left to right, never sharing a byte."""
    count = 0
    pos = raw.find(b"<>")
    while pos >= 0:
        count += 1
        pos = raw.find(b"<>", pos + 2)
    return count


def check_story(lines, data):
    encoded = [s.encode("cp932") for s in lines]
    require(data.count(b"\n") == len(lines), "story: one LF per line")
    require(data.count(b"\r\n") == len(lines), "story: every line ends CR LF")
    require(data.count(b"\r") == len(lines), "story: no stray CR")
    require(250 <= len(lines) <= 350, "story: %d lines, not about 300" % len(lines))
    require(lines[0] == STORY_TITLE, "story: line 1 is not the title")
    require(count_separators(encoded[0]) != 4,
            "story: the first line must not look like a dat line")
    blanks = sum(1 for s in lines if s == "")
    require(blanks >= 20, "story: only %d empty lines" % blanks)
    tabs = sum(1 for s in lines if "\t" in s)
    require(tabs >= 2, "story: only %d lines with a tab" % tabs)
    long_lines = sum(1 for b in encoded if len(b) > 300)
    require(long_lines >= 3, "story: only %d lines over 300 bytes" % long_lines)
    require(max(len(b) + 2 for b in encoded) <= 4096,
            "story: a line is longer than 4096 bytes")
    kana = sum(1 for s in lines if any(is_halfwidth_katakana(c) for c in s))
    require(kana >= 2, "story: only %d lines with half-width katakana" % kana)
    for ch in BACKSLASH_TRAIL:
        require(ch.encode("cp932")[1:] == b"\x5c", "story: %s does not end in 0x5C" % ch)
        require(any(ch in s for s in lines), "story: no %s in the text" % ch)
    mixed = [s for s in lines
             if any("A" <= c <= "z" for c in s) and any(ord(c) > 0x7f for c in s)]
    require(len(mixed) >= 1, "story: no line mixing ASCII and Japanese")
    return {"lines": len(lines), "empty": blanks, "tab": tabs,
            "over300": long_lines, "halfkana": kana}


def check_dat(lines, data):
    require(data.count(b"\n") == len(lines) and b"\r" not in data,
            "dat: every line must end in a lone LF")
    require(35 <= len(lines) <= 45, "dat: %d posts, not about 40" % len(lines))
    for number, line in enumerate(lines, 1):
        raw = line.encode("cp932")
        require(count_separators(raw) == 4,
                "dat: line %d has %d separators" % (number, count_separators(raw)))
        name, mail, date, body, title = line.split("<>")
        require(len(name.encode("cp932")) < 512, "dat: line %d name too long" % number)
        require(len(mail.encode("cp932")) < 512, "dat: line %d mail too long" % number)
        require(len(date.encode("cp932")) < 128, "dat: line %d date too long" % number)
        require(len(raw) + 1 <= 4096, "dat: line %d longer than 4096 bytes" % number)
        require((title == THREAD_TITLE) == (number == 1),
                "dat: the title belongs on the first line only")
        require(" ID:" in date, "dat: line %d has no ID" % number)
    whole = "\n".join(lines)
    for needle in ("<br>", "<b>", "</b>", "<a href=", "</a>", "<font color=red>",
                   "</font>", "<!--", "-->", "&quot;", "&amp;", "&lt;", "&gt;",
                   "&nbsp;", "<>sage<>"):
        require(needle in whole, "dat: no %s anywhere" % needle)
    return {"lines": len(lines)}


def can_cp932(c):
    try:
        c.encode("cp932")
        return True
    except UnicodeEncodeError:
        return False


def build(out_dir):
    story = story_lines()
    story_data = b"".join(s.encode("cp932") + b"\r\n" for s in story)
    story_info = check_story(story, story_data)

    thread = dat_lines()
    dat_data = b"".join(s.encode("cp932") + b"\n" for s in thread)
    dat_info = check_dat(thread, dat_data)

    # The story as today's editors save it: UTF-8 without a mark, with an
    # afterword in characters that code page 932 lacks.
    afterword = ["", "追記（UTF-8 版だけにある行）：café, naïve, Ångström — "
                 "コードページ 932 にない文字もそのまま読めます。"]
    utf8_data = b"".join(s.encode("utf-8") + b"\r\n" for s in story + afterword)
    require(any(ord(c) > 0x7F and not can_cp932(c) for c in afterword[1]),
            "utf-8 sample: nothing beyond code page 932")

    os.makedirs(out_dir, exist_ok=True)
    for name, data in (("sample.txt", story_data), ("sample.dat", dat_data),
                       ("sample-utf8.txt", utf8_data)):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
    return story_info, dat_info


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Write the Skerrow sample texts.")
    parser.add_argument("--out", default=os.path.join(here, os.pardir, "samples"),
                        help="folder to write the sample texts into")
    args = parser.parse_args(argv)
    try:
        story_info, dat_info = build(os.path.normpath(args.out))
    except (SampleError, UnicodeEncodeError) as e:
        print("make_samples: %s" % e, file=sys.stderr)
        return 1
    print("sample.txt: %(lines)d lines, %(empty)d empty, %(tab)d with a tab, "
          "%(over300)d over 300 bytes, %(halfkana)d with half-width katakana"
          % story_info)
    print("sample.dat: %(lines)d posts" % dat_info)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
