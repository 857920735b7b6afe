<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
    <context>
        <name>qelvar::CCatchScreenDlg</name>
        <message>
            <source>无法截图</source>
            <translation>無法截圖</translation>
        </message>
        <message>
            <source>截图-%1.bmp</source>
            <translation>截圖-%1.bmp</translation>
        </message>
        <message>
            <source>另存为</source>
            <translation>另存為</translation>
        </message>
        <message>
            <source>BMP 图像 (*.bmp)</source>
            <translation>BMP 圖像 (*.bmp)</translation>
        </message>
        <message>
            <source>所有文件 (*)</source>
            <translation>所有檔案 (*)</translation>
        </message>
        <message>
            <source>保存失败</source>
            <translation>儲存失敗</translation>
        </message>
        <message>
            <source>无法保存文件 %1
%2</source>
            <translation>無法儲存檔案 %1
%2</translation>
        </message>
    </context>
    <context>
        <name>qelvar::CTovrinDlg</name>
        <message>
            <source>可不填</source>
            <translation>可不填</translation>
        </message>
        <message>
            <source>时:分</source>
            <translation>時:分</translation>
        </message>
        <message>
            <source>如 成都、Chengdu 或经度 104.07</source>
            <translation>如 成都、Chengdu 或經度 104.07</translation>
        </message>
        <message>
            <source>这个日期无法换算</source>
            <translation>這個日期無法換算</translation>
        </message>
        <message>
            <source>语言 / 語言</source>
            <translation>語言 / 語言</translation>
        </message>
        <message>
            <source>存入命例库</source>
            <translation>存入命例庫</translation>
        </message>
        <message>
            <source>日期无效</source>
            <translation>日期無效</translation>
        </message>
        <message>
            <source>请先选择时辰和分段</source>
            <translation>請先選擇時辰和分段</translation>
        </message>
        <message>
            <source>这个生辰无法排盘</source>
            <translation>這個生辰無法排盤</translation>
        </message>
        <message>
            <source>姓名：</source>
            <translation>姓名：</translation>
        </message>
        <message>
            <source>未能存入 %1：
%2</source>
            <translation>未能存入 %1：
%2</translation>
        </message>
        <message>
            <source>（还没有排过盘）</source>
            <translation>（還沒有排過盤）</translation>
        </message>
        <message>
            <source>填写的生辰还没有存入命例库。</source>
            <translation>填寫的生辰還沒有存入命例庫。</translation>
        </message>
        <message>
            <source>保存到命例库</source>
            <translation>儲存到命例庫</translation>
        </message>
        <message>
            <source>放弃</source>
            <translation>放棄</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>取消</translation>
        </message>
    </context>
    <context>
        <name>qelvar::CZiWeiDlg</name>
        <message>
            <source>保存…</source>
            <translation>儲存…</translation>
        </message>
        <message>
            <source>打印…</source>
            <translation>列印…</translation>
        </message>
        <message>
            <source>复制</source>
            <translation>複製</translation>
        </message>
        <message>
            <source>放大</source>
            <translation>放大</translation>
        </message>
        <message>
            <source>缩小</source>
            <translation>縮小</translation>
        </message>
        <message>
            <source>原大</source>
            <translation>原大</translation>
        </message>
        <message>
            <source>复制文字</source>
            <translation>複製文字</translation>
        </message>
        <message>
            <source>帮助</source>
            <translation>幫助</translation>
        </message>
        <message>
            <source>转到 2026-03-10 午</source>
            <translation>轉到 2026-03-10 午</translation>
        </message>
        <message>
            <source>转到某日某时：公历“2026-03-10 午”，或农历“农历2026-1-22 午”（闰月写“闰2”）；时辰可写子…亥或0…11，省略为子时</source>
            <translation>轉到某日某時：公曆“2026-03-10 午”，或農曆“農曆2026-1-22 午”（閏月寫“閏2”）；時辰可寫子…亥或0…11，省略為子時</translation>
        </message>
        <message>
            <source>转到 2026-03-10 午午</source>
            <translation>轉到 2026-03-10 午午</translation>
        </message>
        <message>
            <source>转到</source>
            <translation>轉到</translation>
        </message>
        <message>
            <source>无法转到“%1”：请写“2026-03-10 午”或“农历2026-1-22 午”，日期须在本命盘的年限与历表范围（至2051年2月10日）之内。</source>
            <translation>無法轉到“%1”：請寫“2026-03-10 午”或“農曆2026-1-22 午”，日期須在本命盤的年限與曆表範圍（至2051年2月10日）之內。</translation>
        </message>
        <message>
            <source>清晰配色</source>
            <translation>清晰配色</translation>
        </message>
        <message>
            <source>显示杂曜</source>
            <translation>顯示雜曜</translation>
        </message>
        <message>
            <source>视图</source>
            <translation>檢視</translation>
        </message>
        <message>
            <source>命盘-%1.png</source>
            <translation>命盤-%1.png</translation>
        </message>
        <message>
            <source>保存命盘</source>
            <translation>儲存命盤</translation>
        </message>
        <message>
            <source>PNG 图像 (*.png);;SVG 矢量图 (*.svg);;PDF 文档 (*.pdf)</source>
            <translation>PNG 圖像 (*.png);;SVG 向量圖 (*.svg);;PDF 文件 (*.pdf)</translation>
        </message>
        <message>
            <source>PNG 图像</source>
            <translation>PNG 圖像</translation>
        </message>
        <message>
            <source>放大倍数：</source>
            <translation>放大倍數：</translation>
        </message>
        <message>
            <source>保存失败</source>
            <translation>儲存失敗</translation>
        </message>
        <message>
            <source>无法保存 %1：%2</source>
            <translation>無法儲存 %1：%2</translation>
        </message>
        <message>
            <source>命盘窗口的按键与鼠标</source>
            <translation>命盤視窗的按鍵與滑鼠</translation>
        </message>
        <message>
            <source>命例库</source>
            <translation>命例庫</translation>
        </message>
        <message>
            <source>存入命例库</source>
            <translation>存入命例庫</translation>
        </message>
        <message>
            <source>设置…</source>
            <translation>設定…</translation>
        </message>
        <message>
            <source>按键
  Ctrl+S 保存（PNG、SVG、PDF）  Ctrl+P 打印  Ctrl+C 复制图像  Ctrl+Shift+C 复制文字
  Ctrl++ / Ctrl+= 放大  Ctrl+- 缩小  Ctrl+0 原大  F1 本帮助
  ← / → 上一年 / 下一年（流年）  ↑ / ↓ 上一大限 / 下一大限
  PageUp / PageDown 上一月 / 下一月（流月）  Home 回到本命盘
  Esc 先取消所选宫位，再关闭窗口  Enter 关闭窗口
鼠标
  左键单击宫位：显示三方四正与飞化，再击取消
  Ctrl+滚轮 缩放  中键拖动 在放大的命盘中移动  右键 截图
时间条
  单击大限、流年、流月、流日、时辰选择运限；悬停看干支、日期与说明
  “转到”框：输入“2026-03-10 午”或“农历2026-1-22 午”后按回车
视图菜单
  清晰配色、显示杂曜、各运限层的显示与隐藏（均会记住）
  设置…：排盘规则、流派的取法、配色与缩放，改后已打开的命盘随即重排
工具栏
  命例库：打开命例库  存入命例库：把这张命盘的出生资料存入命例库</source>
            <translation>按鍵
  Ctrl+S 儲存（PNG、SVG、PDF）  Ctrl+P 列印  Ctrl+C 複製圖像  Ctrl+Shift+C 複製文字
  Ctrl++ / Ctrl+= 放大  Ctrl+- 縮小  Ctrl+0 原大  F1 本幫助
  ← / → 上一年 / 下一年（流年）  ↑ / ↓ 上一大限 / 下一大限
  PageUp / PageDown 上一月 / 下一月（流月）  Home 回到本命盤
  Esc 先取消所選宮位，再關閉視窗  Enter 關閉視窗
滑鼠
  左鍵單擊宮位：顯示三方四正與飛化，再擊取消
  Ctrl+滾輪 縮放  中鍵拖動 在放大的命盤中移動  右鍵 截圖
時間條
  單擊大限、流年、流月、流日、時辰選擇運限；懸停看干支、日期與說明
  “轉到”框：輸入“2026-03-10 午”或“農曆2026-1-22 午”後按回車
檢視選單
  清晰配色、顯示雜曜、各運限層的顯示與隱藏（均會記住）
  設定…：排盤規則、流派的取法、配色與縮放，改後已開啟的命盤隨即重排
工具欄
  命例庫：開啟命例庫  存入命例庫：把這張命盤的出生資料存入命例庫</translation>
        </message>
    </context>
    <context>
        <name>qelvar::LibraryWindow</name>
        <message>
            <source>命例库已损坏</source>
            <translation>命例庫已損壞</translation>
        </message>
        <message>
            <source>命例库文件已损坏，无法读取：
%1

是否将它移到一旁（保留原文件）并新建一个空的命例库？</source>
            <translation>命例庫檔案已損壞，無法讀取：
%1

是否將它移到一旁（保留原檔案）並新建一個空的命例庫？</translation>
        </message>
        <message>
            <source>命例库</source>
            <translation>命例庫</translation>
        </message>
        <message>
            <source>无法移动文件：
%1</source>
            <translation>無法移動檔案：
%1</translation>
        </message>
        <message>
            <source>无法打开命例库：
%1</source>
            <translation>無法開啟命例庫：
%1</translation>
        </message>
        <message>
            <source>斗数排盘</source>
            <translation>斗數排盤</translation>
        </message>
        <message>
            <source>%1：无法排盘（%2）</source>
            <translation>%1：無法排盤（%2）</translation>
        </message>
        <message>
            <source> - 斗数排盘</source>
            <translation> - 斗數排盤</translation>
        </message>
        <message>
            <source>搜索：姓名、备注、标签或日期的任一部分</source>
            <translation>搜尋：姓名、備註、標籤或日期的任一部分</translation>
        </message>
        <message>
            <source>分组</source>
            <translation>分組</translation>
        </message>
        <message>
            <source>排盘</source>
            <translation>排盤</translation>
        </message>
        <message>
            <source>编辑</source>
            <translation>編輯</translation>
        </message>
        <message>
            <source>复制</source>
            <translation>複製</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>刪除</translation>
        </message>
        <message>
            <source>撤销删除</source>
            <translation>撤銷刪除</translation>
        </message>
        <message>
            <source>导入...</source>
            <translation>匯入...</translation>
        </message>
        <message>
            <source>导出...</source>
            <translation>匯出...</translation>
        </message>
        <message>
            <source>全部</source>
            <translation>全部</translation>
        </message>
        <message>
            <source>%1 条</source>
            <translation>%1 條</translation>
        </message>
        <message>
            <source>导入命例</source>
            <translation>匯入命例</translation>
        </message>
        <message>
            <source>命例文件 (*.json *.csv)</source>
            <translation>命例檔案 (*.json *.csv)</translation>
        </message>
        <message>
            <source>导入</source>
            <translation>匯入</translation>
        </message>
        <message>
            <source>无法读取 %1：%2</source>
            <translation>無法讀取 %1：%2</translation>
        </message>
        <message>
            <source>%1 无法导入：%2</source>
            <translation>%1 無法匯入：%2</translation>
        </message>
        <message>
            <source>%1 中有 %2 条命例：新的 %3 条，与库中重复（同名同生辰）%4 条。</source>
            <translation>%1 中有 %2 條命例：新的 %3 條，與庫中重複（同名同生辰）%4 條。</translation>
        </message>
        <message>
            <source>导入，跳过重复</source>
            <translation>匯入，跳過重複</translation>
        </message>
        <message>
            <source>导入，合并重复</source>
            <translation>匯入，合併重複</translation>
        </message>
        <message>
            <source>未导入任何命例：%1</source>
            <translation>未匯入任何命例：%1</translation>
        </message>
        <message>
            <source>导出命例</source>
            <translation>匯出命例</translation>
        </message>
        <message>
            <source>命例库.json</source>
            <translation>命例庫.json</translation>
        </message>
        <message>
            <source>导出</source>
            <translation>匯出</translation>
        </message>
        <message>
            <source>导出选中的 %1 条，还是整个命例库？</source>
            <translation>匯出選中的 %1 條，還是整個命例庫？</translation>
        </message>
        <message>
            <source>选中的</source>
            <translation>選中的</translation>
        </message>
        <message>
            <source>无法写入 %1：%2</source>
            <translation>無法寫入 %1：%2</translation>
        </message>
        <message>
            <source>存入命例库</source>
            <translation>存入命例庫</translation>
        </message>
        <message>
            <source>这个命例已不在命例库中。</source>
            <translation>這個命例已不在命例庫中。</translation>
        </message>
        <message>
            <source>这个命例已在命例库中。</source>
            <translation>這個命例已在命例庫中。</translation>
        </message>
    </context>
    <context>
        <name>qelvar::LunarDayPopup</name>
        <message>
            <source>%1年%2%3月</source>
            <translation>%1年%2%3月</translation>
        </message>
        <message>
            <source>闰</source>
            <translation>閏</translation>
        </message>
    </context>
    <context>
        <name>qelvar::PickerTyping</name>
        <message>
            <source>日期没有写完整，请写成 1988/6/15 这样的年/月/日</source>
            <translation>日期沒有寫完整，請寫成 1988/6/15 這樣的年/月/日</translation>
        </message>
    </context>
    <context>
        <name>qelvar::RecordTableModel</name>
        <message>
            <source>闰</source>
            <translation>閏</translation>
        </message>
        <message>
            <source>农历 </source>
            <translation>農曆 </translation>
        </message>
        <message>
            <source>男</source>
            <translation>男</translation>
        </message>
        <message>
            <source>女</source>
            <translation>女</translation>
        </message>
        <message>
            <source>姓名</source>
            <translation>姓名</translation>
        </message>
        <message>
            <source>性别</source>
            <translation>性別</translation>
        </message>
        <message>
            <source>出生</source>
            <translation>出生</translation>
        </message>
        <message>
            <source>出生地</source>
            <translation>出生地</translation>
        </message>
        <message>
            <source>分组</source>
            <translation>分組</translation>
        </message>
        <message>
            <source>标签</source>
            <translation>標籤</translation>
        </message>
    </context>
    <context>
        <name>qelvar::SchoolChoices</name>
        <message>
            <source>默认</source>
            <translation>預設</translation>
        </message>
        <message>
            <source>通行</source>
            <translation>通行</translation>
        </message>
        <message>
            <source>自定</source>
            <translation>自定</translation>
        </message>
        <message>
            <source>庚年 午/寅</source>
            <translation>庚年 午/寅</translation>
        </message>
        <message>
            <source>庚年 丑/未</source>
            <translation>庚年 丑/未</translation>
        </message>
        <message>
            <source>依生月</source>
            <translation>依生月</translation>
        </message>
        <message>
            <source>依年支</source>
            <translation>依年支</translation>
        </message>
        <message>
            <source>铃星</source>
            <translation>鈴星</translation>
        </message>
        <message>
            <source>火星</source>
            <translation>火星</translation>
        </message>
        <message>
            <source>截空</source>
            <translation>截空</translation>
        </message>
        <message>
            <source>截路 空亡</source>
            <translation>截路 空亡</translation>
        </message>
        <message>
            <source>太阳 武曲 太阴 天同</source>
            <translation>太陽 武曲 太陰 天同</translation>
        </message>
        <message>
            <source>太阳 武曲 天府 天同</source>
            <translation>太陽 武曲 天府 天同</translation>
        </message>
        <message>
            <source>太阳 武曲 天同 太阴</source>
            <translation>太陽 武曲 天同 太陰</translation>
        </message>
        <message>
            <source>贪狼 太阴 右弼 天机</source>
            <translation>貪狼 太陰 右弼 天機</translation>
        </message>
        <message>
            <source>贪狼 太阴 太阳 天机</source>
            <translation>貪狼 太陰 太陽 天機</translation>
        </message>
        <message>
            <source>天梁 紫微 左辅 武曲</source>
            <translation>天梁 紫微 左輔 武曲</translation>
        </message>
        <message>
            <source>天梁 紫微 天府 武曲</source>
            <translation>天梁 紫微 天府 武曲</translation>
        </message>
        <message>
            <source>太岁 … 凶神</source>
            <translation>太歲 … 凶神</translation>
        </message>
        <message>
            <source>岁建 … 病符</source>
            <translation>歲建 … 病符</translation>
        </message>
        <message>
            <source>本盘星曜</source>
            <translation>本盤星曜</translation>
        </message>
        <message>
            <source>加 天德 月德 年解 旬空 来因 小限</source>
            <translation>加 天德 月德 年解 旬空 來因 小限</translation>
        </message>
        <message>
            <source>流派</source>
            <translation>流派</translation>
        </message>
        <message>
            <source>天魁 天钺</source>
            <translation>天魁 天鉞</translation>
        </message>
        <message>
            <source>天马</source>
            <translation>天馬</translation>
        </message>
        <message>
            <source>子年身主</source>
            <translation>子年身主</translation>
        </message>
        <message>
            <source>庚干四化</source>
            <translation>庚干四化</translation>
        </message>
        <message>
            <source>戊干四化</source>
            <translation>戊干四化</translation>
        </message>
        <message>
            <source>壬干四化</source>
            <translation>壬干四化</translation>
        </message>
        <message>
            <source>神煞名</source>
            <translation>神煞名</translation>
        </message>
        <message>
            <source>星曜</source>
            <translation>星曜</translation>
        </message>
    </context>
    <context>
        <name>qelvar::SettingsDlg</name>
        <message>
            <source>设置</source>
            <translation>設定</translation>
        </message>
        <message>
            <source>算当天（默认）</source>
            <translation>算當天（預設）</translation>
        </message>
        <message>
            <source>算次日</source>
            <translation>算次日</translation>
        </message>
        <message>
            <source>整月算前一月（默认）</source>
            <translation>整月算前一月（預設）</translation>
        </message>
        <message>
            <source>十五日前算前一月，十六日起算下一月</source>
            <translation>十五日前算前一月，十六日起算下一月</translation>
        </message>
        <message>
            <source>正月初一（默认）</source>
            <translation>正月初一（預設）</translation>
        </message>
        <message>
            <source>立春</source>
            <translation>立春</translation>
        </message>
        <message>
            <source>夜子时 (23-24 点)</source>
            <translation>夜子時 (23-24 點)</translation>
        </message>
        <message>
            <source>23 点到 24 点出生：排盘用当天的农历日，或用下一天的农历日与日柱。</source>
            <translation>23 點到 24 點出生：排盤用當天的農曆日，或用下一天的農曆日與日柱。</translation>
        </message>
        <message>
            <source>闰月</source>
            <translation>閏月</translation>
        </message>
        <message>
            <source>闰月出生：整月按它所闰的月份排，或以十六日为界，后半月按下一个月排。</source>
            <translation>閏月出生：整月按它所閏的月份排，或以十六日為界，後半月按下一個月排。</translation>
        </message>
        <message>
            <source>年的开始</source>
            <translation>年的開始</translation>
        </message>
        <message>
            <source>命盘的年份从正月初一算起，或从立春那天算起。</source>
            <translation>命盤的年份從正月初一算起，或從立春那天算起。</translation>
        </message>
        <message>
            <source>排盘时的规则与默认不同时，命盘标题会写明所用的规则。</source>
            <translation>排盤時的規則與預設不同時，命盤標題會寫明所用的規則。</translation>
        </message>
        <message>
            <source>命盘本色（默认）</source>
            <translation>命盤本色（預設）</translation>
        </message>
        <message>
            <source>清晰配色</source>
            <translation>清晰配色</translation>
        </message>
        <message>
            <source>适合屏幕（默认）</source>
            <translation>適合螢幕（預設）</translation>
        </message>
        <message>
            <source>配色</source>
            <translation>配色</translation>
        </message>
        <message>
            <source>命盘缩放</source>
            <translation>命盤縮放</translation>
        </message>
        <message>
            <source>清晰配色让每种文字与白底的对比至少 3:1；缩放是命盘窗口打开时的大小。</source>
            <translation>清晰配色讓每種文字與白底的對比至少 3:1；縮放是命盤視窗開啟時的大小。</translation>
        </message>
    </context>
    <context>
        <name>qelvar::CoreText</name>
        <message>
            <source>斗数排盘</source>
            <translation>斗數排盤</translation>
        </message>
        <message>
            <source>公历</source>
            <translation>公曆</translation>
        </message>
        <message>
            <source>农历</source>
            <translation>農曆</translation>
        </message>
        <message>
            <source>闰月</source>
            <translation>閏月</translation>
        </message>
        <message>
            <source>出生时间</source>
            <translation>出生時間</translation>
        </message>
        <message>
            <source>真太阳时</source>
            <translation>真太陽時</translation>
        </message>
        <message>
            <source>出生地</source>
            <translation>出生地</translation>
        </message>
        <message>
            <source>时辰</source>
            <translation>時辰</translation>
        </message>
        <message>
            <source>分段</source>
            <translation>分段</translation>
        </message>
        <message>
            <source>性别</source>
            <translation>性別</translation>
        </message>
        <message>
            <source>男</source>
            <translation>男</translation>
        </message>
        <message>
            <source>女</source>
            <translation>女</translation>
        </message>
        <message>
            <source>姓名</source>
            <translation>姓名</translation>
        </message>
        <message>
            <source>最近...</source>
            <translation>最近...</translation>
        </message>
        <message>
            <source>存入命例库</source>
            <translation>存入命例庫</translation>
        </message>
        <message>
            <source>命例库...</source>
            <translation>命例庫...</translation>
        </message>
        <message>
            <source>设置...</source>
            <translation>設定...</translation>
        </message>
        <message>
            <source>Qelvar排盘1.0 版</source>
            <translation>Qelvar排盤1.0 版</translation>
        </message>
        <message>
            <source>紫微斗数排盘 · 公历农历互换</source>
            <translation>紫微斗數排盤 · 公曆農曆互換</translation>
        </message>
        <message>
            <source>确定</source>
            <translation>確定</translation>
        </message>
        <message>
            <source>Qelvar排盘</source>
            <translation>Qelvar排盤</translation>
        </message>
        <message>
            <source>Qelvar单机版</source>
            <translation>Qelvar單機版</translation>
        </message>
        <message>
            <source>子 (0-1)</source>
            <translation>子 (0-1)</translation>
        </message>
        <message>
            <source>丑 (1-3)</source>
            <translation>丑 (1-3)</translation>
        </message>
        <message>
            <source>寅 (3-5)</source>
            <translation>寅 (3-5)</translation>
        </message>
        <message>
            <source>卯 (5-7)</source>
            <translation>卯 (5-7)</translation>
        </message>
        <message>
            <source>辰 (7-9)</source>
            <translation>辰 (7-9)</translation>
        </message>
        <message>
            <source>巳 (9-11)</source>
            <translation>巳 (9-11)</translation>
        </message>
        <message>
            <source>午 (11-13)</source>
            <translation>午 (11-13)</translation>
        </message>
        <message>
            <source>未 (13-15)</source>
            <translation>未 (13-15)</translation>
        </message>
        <message>
            <source>申 (15-17)</source>
            <translation>申 (15-17)</translation>
        </message>
        <message>
            <source>酉 (17-19)</source>
            <translation>酉 (17-19)</translation>
        </message>
        <message>
            <source>戌 (19-21)</source>
            <translation>戌 (19-21)</translation>
        </message>
        <message>
            <source>亥 (21-23)</source>
            <translation>亥 (21-23)</translation>
        </message>
        <message>
            <source>夜子(23-24)</source>
            <translation>夜子(23-24)</translation>
        </message>
        <message>
            <source>子 (0-10)</source>
            <translation>子 (0-10)</translation>
        </message>
        <message>
            <source>丑 (10-20)</source>
            <translation>丑 (10-20)</translation>
        </message>
        <message>
            <source>寅 (20-30)</source>
            <translation>寅 (20-30)</translation>
        </message>
        <message>
            <source>卯 (30-40)</source>
            <translation>卯 (30-40)</translation>
        </message>
        <message>
            <source>辰 (40-50)</source>
            <translation>辰 (40-50)</translation>
        </message>
        <message>
            <source>巳 (50-60)</source>
            <translation>巳 (50-60)</translation>
        </message>
        <message>
            <source>午 (60-70)</source>
            <translation>午 (60-70)</translation>
        </message>
        <message>
            <source>未 (70-80)</source>
            <translation>未 (70-80)</translation>
        </message>
        <message>
            <source>申 (80-90)</source>
            <translation>申 (80-90)</translation>
        </message>
        <message>
            <source>酉 (90-100)</source>
            <translation>酉 (90-100)</translation>
        </message>
        <message>
            <source>戌 (100-110)</source>
            <translation>戌 (100-110)</translation>
        </message>
        <message>
            <source>亥 (110-120)</source>
            <translation>亥 (110-120)</translation>
        </message>
        <message>
            <source>关于 Qelvar排盘(&amp;A)...</source>
            <translation>關於 Qelvar排盤(&amp;A)...</translation>
        </message>
        <message>
            <source>&#xd;
 ·按下鼠标左键不放选择截取&#xd;
 范围&#xd;
&#xd;
 ·按ESC键或鼠标右键退出</source>
            <translation>&#xd;
 ·按下滑鼠左鍵不放選擇擷取&#xd;
 範圍&#xd;
&#xd;
 ·按ESC鍵或滑鼠右鍵退出</translation>
        </message>
        <message>
            <source>&#xd;
 ·松开鼠标左键确定截取范围&#xd;
&#xd;
 ·按ESC键退出</source>
            <translation>&#xd;
 ·鬆開滑鼠左鍵確定擷取範圍&#xd;
&#xd;
 ·按ESC鍵退出</translation>
        </message>
        <message>
            <source>&#xd;
 ·用鼠标左键调整截取范围的&#xd;
 大小和位置&#xd;
&#xd;
·截取范围内双击鼠标左键保存&#xd;
 图像，结束操作&#xd;
&#xd;
·点击鼠标右键重新选择</source>
            <translation>&#xd;
 ·用滑鼠左鍵調整擷取範圍的&#xd;
 大小和位置&#xd;
&#xd;
·擷取範圍內雙擊滑鼠左鍵儲存&#xd;
 圖像，結束操作&#xd;
&#xd;
·點選滑鼠右鍵重新選擇</translation>
        </message>
        <message>
            <source>顶点位置  </source>
            <translation>頂點位置  </translation>
        </message>
        <message>
            <source> 顶点位置 </source>
            <translation> 頂點位置 </translation>
        </message>
        <message>
            <source> 矩形大小 </source>
            <translation> 矩形大小 </translation>
        </message>
        <message>
            <source> 光标坐标 </source>
            <translation> 游標座標 </translation>
        </message>
    </context>
</TS>
