// The two advertisement pages the program writes into its directory. The
// link targets are example shop addresses of our own.
#include "image/const_table.h"
#include "image/gbk_encode.h"

namespace program {

namespace {

constexpr std::string_view kHead =
    R"(<!DOCTYPE html PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<html lang="zh-cn">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312" />
<meta http-equiv="X-UA-Compatible" content="IE=EmulateIE7" />
<title>岚音宝</title>
)";

constexpr std::string_view kListMeta = R"(<meta name="keywords" content="" />
<meta name="description" content="" />
)";

constexpr std::string_view kAuthor = R"(<meta name="Author" content="Tavrisk Inc." />
<style type="text/css">
)";

constexpr std::string_view kListBody =
    "body{margin:0px 0px 0px 0px;border:0px;overflow:hidden;background-color:#d5def2;"
    "-moz-user-select:none;font-size: 14px;color: #F00;}\n";
constexpr std::string_view kBannerBody =
    "body{margin:0px 0px 0px 0px;border:0px;overflow:hidden;background-color:#d5def2;"
    "-moz-user-select:none;}\n";

constexpr std::string_view kHeadEnd = R"(p{line-height:20px;height:20px;margin:0;padding:0;}
a{font-size:12px;color:blue;}
img {border:0px;}
</style>
<script type="text/javascript">document.oncontextmenu=function(e){return   false;}</script>
<base target="_blank" />
</head>
)";

constexpr std::string_view kListLinks = R"(<body onselectstart="return false">
<p><a href="http://shop.example.com/go/chn/tbk_channel/huangguan.php?pid=mm_0000001&eventid=103">★淘宝皇冠店铺精选★</a></p>
<p><a href="http://shop.example.com/go/chn/tbk_channel/channelcode.php?pid=mm_0000001&eventid=105">→★淘宝官方推荐★←</a></p>
<p><a href="http://click.example.com/t_8?e=token-d&p=mm_0000001">2011超人气帆潮流男女鞋专卖</a></p>
<p><a href="http://click.example.com/t_8?e=token-e&p=mm_0000001">正品运动鞋专卖</a></p>
<p><a href="http://click.example.com/t_8?e=token-f&p=mm_0000001">zzphomme官方男装店包邮</a></p>
<p><a href="http://click.example.com/t_8?e=token-g&p=mm_0000001">SBB 包邮项链 韩国饰品批发</a></p>
<p><a href="http://click.example.com/t_8?e=token-h&p=mm_0000001">漂亮女人--薇奥内衣专营店</a></p>
<p><a href="http://click.example.com/t_8?e=token-i&p=mm_0000001">羊皮堂男鞋专营店</a></p>
<p><a href="http://click.example.com/t_8?e=token-j&p=mm_0000001">成人用品 避孕套自慰性用品</a></p>
<p><a href="http://click.example.com/t_8?e=token-k&p=mm_0000001">自慰器丨避孕套丨情趣</a></p>
<p><a href="http://click.example.com/t_8?e=token-l&p=mm_0000001">2011韩版女装连衣裙 外套</a></p>
<p><a href="http://click.example.com/t_8?e=token-m&p=mm_0000001">伊雅特服饰五折优惠</a></p>
<p><a href="http://click.example.com/t_8?e=token-n&p=mm_0000001">2011 新款 平底凉鞋 坡跟 高跟女鞋</a></p>
<p><a href="http://click.example.com/t_8?e=token-o&p=mm_0000001">美国月付全能空间 免备案</a></p>
<p><a href="http://click.example.com/t_8?e=token-p&p=mm_0000001">MM小狐仙情趣内衣 成人用品 跳蛋</a></p>
<p><a href="http://click.example.com/t_8?e=token-q&p=mm_0000001">杭州成人用品专营店-实体淘宝批发供货站</a></p>
<p><a href="http://click.example.com/t_8?e=token-b&p=mm_0000001">321瘦身网官方商铺★减肥胶囊</a></p>
<p>&nbsp;</p>
<p>&nbsp;</p>
</body>
</html>

)";

constexpr std::string_view kBannerScript = R"(<script type="text/javascript">
alimama_pid="mm_0000001_0000002_0000003";
alimama_type='g';
alimama_tks={};
alimama_tks.style_i=1;
alimama_tks.lg_i=1;
alimama_tks.w_i=572;
alimama_tks.h_i=69;
alimama_tks.btn_i=1;
alimama_tks.txt_s='';
alimama_tks.hot_i=1;
alimama_tks.hc_c='#0065FF';
alimama_tks.c_i=1;
alimama_tks.cid_i=0;
</script>
<script type="text/javascript" src="http://widget.example.com/banner.js"></script>
<!--}Page-->
<!-- site statistics: stats.example.com -->
<div style="display:none"><script type="text/javascript" src="http://stats.example.com/count.js"></script></div>
</body>
</html>

)";

}  // namespace

std::vector<uint8_t> list_page_template() {
  return encode_page(std::string(kHead) + std::string(kListMeta) + std::string(kAuthor) +
                     std::string(kListBody) + std::string(kHeadEnd) + std::string(kListLinks));
}

std::vector<uint8_t> banner_page_template() {
  return encode_page(std::string(kHead) + std::string(kAuthor) + std::string(kBannerBody) +
                     std::string(kHeadEnd) + std::string(kBannerScript));
}

}  // namespace program
