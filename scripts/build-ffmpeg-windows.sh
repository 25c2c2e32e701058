#!/usr/bin/env bash
# Builds the encoder that ships with Vardeno for Windows: one statically linked ffmpeg.exe (FFmpeg
# 5.1, GPL) for 64-bit Windows, cross-compiled with MinGW-w64 from Debian's own source packages
# (with Debian's patches), once, into a cache outside the repository:
# $VARDENO_CACHE/ffmpeg-5.1-mingw64 (default ~/.cache/vardeno). Does nothing when the cache is complete.
#
# Only what Vardeno's formats, its probe, its filters and its tests need: the native aac, mpeg4,
# wmv1/wmv2 and wmav1/wmav2 encoders, libx264 (8-bit) and libmp3lame; the decoders and demuxers of
# what the file list accepts, every parser; the file and pipe protocols; the filters the argument
# builders use, subtitles through libass (FreeType, FriBidi, HarfBuzz; DirectWrite finds the fonts, no
# fontconfig). Beside bin/ffmpeg.exe the cache keeps the exact sources (sources/, Debian's .dsc,
# .orig and .debian files) and their versions (VERSIONS), which a release carries.
#
# An interrupted build goes on where it stopped (each library has its own stamp); the cache is only
# marked complete once the built ffmpeg.exe answers -version under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
cache=${VARDENO_CACHE:-$HOME/.cache/vardeno}
prefix=$cache/ffmpeg-5.1-mingw64
stamp=$prefix/.complete
if [ -f "$stamp" ]; then
  echo "ffmpeg.exe for Windows is ready in $prefix"
  exit 0
fi

bash scripts/setup-windows.sh
host=x86_64-w64-mingw32
export CC=$host-gcc-posix CXX=$host-g++-posix AR=$host-ar RANLIB=$host-ranlib STRIP=$host-strip
jobs=$(nproc)

# apt-get source needs a deb-src entry (the same one scripts/build-qt-windows.sh writes).
if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
  cat > /etc/apt/sources.list.d/vardeno-deb-src.sources <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $(. /etc/os-release; echo "$VERSION_CODENAME")
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq
fi

work=$cache/ffmpeg-build
deps=$work/deps
mkdir -p "$work/src" "$deps" "$prefix/sources"
: > "$work/VERSIONS.new"

# Unpacks Debian's source package $1 (patches applied) under src/$1 once; prints the tree's path.
fetch() {
  local package=$1 dir=$work/src/$1
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    if ! (cd "$dir" && apt-get source -qq --download-only "$package" >/dev/null 2>&1); then
      echo "Debian's source package '$package' could not be fetched (apt-get source $package):" \
           "ffmpeg.exe for Windows is not built." >&2
      exit 1
    fi
    (cd "$dir" && dpkg-source -q -x ./*.dsc tree >unpack.log 2>&1) || { cat "$dir/unpack.log" >&2; exit 1; }
    # The generated build files must stay newer than what Debian's patches touched, or make would
    # ask for autotools, which the cross build does not use.
    find "$dir/tree" \( -name configure -o -name Makefile.in -o -name aclocal.m4 -o -name 'config.h.in' \) \
      -exec touch {} +
    touch "$dir/.unpacked"
  fi
  cp -n "$dir"/*.dsc "$dir"/*.tar.* "$prefix/sources/" 2>/dev/null || true
  echo "$package $(sed -n 's/^Version: //p' "$dir"/*.dsc | head -1)" >> "$work/VERSIONS.new"
  echo "$dir/tree"
}

# Runs step $1 (a function) unless its stamp says it finished; the stamp keeps its seconds, so the
# build's time adds up over interrupted runs.
step() {
  [ -f "$work/.done-$1" ] && return 0
  echo "Building ${1#build_} for Windows..."
  local begun=$(date +%s)
  "$@"
  echo $(( $(date +%s) - begun )) > "$work/.done-$1"
}

export PKG_CONFIG_LIBDIR=$deps/lib/pkgconfig PKG_CONFIG_PATH=
cat > "$work/cross.meson" <<MESON
[binaries]
c = '$CC'
cpp = '$CXX'
ar = '$AR'
strip = '$STRIP'
windres = '$host-windres'
pkgconfig = 'pkg-config'
[properties]
pkg_config_libdir = '$deps/lib/pkgconfig'
[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
MESON
meson_build() {  # source dir, then the project's options
  local src=$1; shift
  rm -rf "$src/build-win64"
  meson setup "$src/build-win64" "$src" --cross-file "$work/cross.meson" --prefix "$deps" \
    --libdir lib --buildtype release --default-library static --wrap-mode nofallback "$@" >"$src/setup.log" ||
    { tail -5 "$src/setup.log" >&2; return 1; }
  ninja -C "$src/build-win64" -j"$jobs" >/dev/null
  ninja -C "$src/build-win64" install >/dev/null
}

zlib_src=$(fetch zlib)
build_zlib() {
  # Debian's zlib source has no Windows makefile; the library is its C files.
  local objects=() file
  mkdir -p "$zlib_src/build-win64" "$deps/lib/pkgconfig" "$deps/include"
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
              trees uncompr zutil; do
    $CC -O2 -c "$zlib_src/$file.c" -o "$zlib_src/build-win64/$file.o"
    objects+=("$zlib_src/build-win64/$file.o")
  done
  rm -f "$deps/lib/libz.a" && $AR rcs "$deps/lib/libz.a" "${objects[@]}"
  install -m644 "$zlib_src/zlib.h" "$zlib_src/zconf.h" -t "$deps/include"
  printf 'prefix=%s\nName: zlib\nDescription: zlib\nVersion: %s\nLibs: -L${prefix}/lib -lz\nCflags: -I${prefix}/include\n' \
    "$deps" "$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$zlib_src/zlib.h")" > "$deps/lib/pkgconfig/zlib.pc"
}
step build_zlib

lame_src=$(fetch lame)
build_lame() {
  (cd "$lame_src" && ./configure -q --host=$host --prefix="$deps" --disable-shared --enable-static \
     --disable-frontend --disable-decoder --disable-gtktest >/dev/null &&
   make -j"$jobs" >/dev/null && make install >/dev/null)
}
step build_lame

x264_src=$(fetch x264)
build_x264() {
  (cd "$x264_src" && ./configure --host=$host --cross-prefix=$host- --prefix="$deps" --enable-static \
     --bit-depth=8 --disable-cli --disable-opencl --disable-lavf --disable-swscale --disable-ffms --disable-gpac \
     --disable-lsmash >/dev/null &&
   make clean >/dev/null && make -j"$jobs" >/dev/null && make install-lib-static >/dev/null)
}
step build_x264

freetype_src=$(fetch freetype)
build_freetype() {
  meson_build "$freetype_src" -Dzlib=enabled -Dbzip2=disabled -Dpng=disabled -Dharfbuzz=disabled \
    -Dbrotli=disabled -Dmmap=disabled
}
step build_freetype

fribidi_src=$(fetch fribidi)
build_fribidi() {
  meson_build "$fribidi_src" -Ddocs=false
}
step build_fribidi

harfbuzz_src=$(fetch harfbuzz)
build_harfbuzz() {
  meson_build "$harfbuzz_src" -Dfreetype=enabled -Dglib=disabled -Dgobject=disabled -Dcairo=disabled \
    -Dicu=disabled -Dgraphite2=disabled -Dchafa=disabled -Dgdi=disabled -Ddirectwrite=disabled \
    -Dtests=disabled -Ddocs=disabled -Dintrospection=disabled -Dbenchmark=disabled
}
step build_harfbuzz

libass_src=$(fetch libass)
build_libass() {
  (cd "$libass_src" && ./configure -q --host=$host --prefix="$deps" --disable-shared --enable-static \
     --disable-fontconfig --enable-directwrite --disable-require-system-font-provider >/dev/null &&
   make -j"$jobs" >/dev/null && make install >/dev/null)
}
step build_libass

ffmpeg_src=$(fetch ffmpeg)
build_ffmpeg() {
  # The decoders and demuxers of what the file list accepts (AVI, MPEG, WMV/ASF, MP4/MOV/3GP, MKV,
  # FLV/SWF, VOB, OGG/OGM, AMV, WAV, MP3, AC3, MPC, MP2, WMA, FLAC, SHN, APE, WV, AMR) and the
  # codecs those carry, the subtitle formats, and the cover pictures files hold.
  local decoders=h264,hevc,mpeg4,msmpeg4v1,msmpeg4v2,msmpeg4v3,wmv1,wmv2,wmv3,wmv3image,vc1,vc1image
  decoders+=,mpeg1video,mpeg2video,h261,h263,h263i,h263p,flv,vp3,vp5,vp6,vp6a,vp6f,vp8,vp9,theora,av1
  decoders+=,mjpeg,mjpegb,dvvideo,rawvideo,huffyuv,ffvhuff,ffv1,svq1,svq3,cinepak,indeo2,indeo3,indeo4
  decoders+=,indeo5,msvideo1,msrle,mszh,zlib,rv10,rv20,rv30,rv40,amv,png,bmp,gif,prores,qtrle,rpza,smc
  decoders+=,tscc,snow,dirac,utvideo,magicyuv,aic,8bps,vp7,wmv3image,fraps,loco,qpeg,ulti,vcr1,zmbv
  decoders+=,aac,aac_fixed,aac_latm,ac3,ac3_fixed,eac3,dca,truehd,mlp,mp1,mp1float,mp2,mp2float,mp3
  decoders+=,mp3float,mp3adu,mp3adufloat,mp3on4,mp3on4float,wmav1,wmav2,wmapro,wmavoice,wmalossless
  decoders+=,flac,shorten,ape,vorbis,opus,mpc7,mpc8,wavpack,amrnb,amrwb,alac,tta,tak,gsm,gsm_ms,qdm2
  decoders+=,qdmc,cook,atrac1,atrac3,atrac3p,nellymoser,speex,dvaudio,sipr,ra_144,ra_288,mace3,mace6
  decoders+=,imc,qcelp,evrc,g723_1,g729,comfortnoise,als,dolby_e,dsd_lsbf,dsd_msbf,xma1,xma2
  decoders+=,pcm_s16le,pcm_s16be,pcm_s16le_planar,pcm_s16be_planar,pcm_s24le,pcm_s24be,pcm_s32le
  decoders+=,pcm_s32be,pcm_f32le,pcm_f32be,pcm_f64le,pcm_f64be,pcm_u8,pcm_s8,pcm_alaw,pcm_mulaw
  decoders+=,pcm_dvd,pcm_bluray,pcm_s24daud,pcm_u16le,pcm_u16be,pcm_u24le,pcm_u32le,pcm_s64le
  decoders+=,adpcm_ms,adpcm_ima_wav,adpcm_ima_qt,adpcm_ima_amv,adpcm_swf,adpcm_yamaha,adpcm_g722
  decoders+=,adpcm_g726,adpcm_g726le,adpcm_ct,adpcm_ima_dk3,adpcm_ima_dk4,adpcm_4xm,interplay_dpcm
  decoders+=,ass,ssa,srt,subrip,movtext,text,webvtt,dvdsub,dvbsub,pgssub,microdvd,subviewer,subviewer1
  decoders+=,sami,mpl2,jacosub,realtext,stl,pjs,vplayer,eia608,ccaption
  local demuxers=avi,mpegps,mpegts,mpegvideo,m4v,h264,hevc,vc1,vc1t,asf,asf_o,xwma,mov,matroska,flv,live_flv
  demuxers+=,swf,ogg,wav,w64,mp3,ac3,eac3,dts,dtshd,truehd,mlp,mpc,mpc8,flac,shn,ape,wv,amr,amrnb
  demuxers+=,amrwb,aac,loas,dv,vobsub,rm,aiff,au,caf,tta,tak,gsm,mjpeg,ass,srt,webvtt,microdvd
  demuxers+=,subviewer,subviewer1,sami,mpl2,jacosub,realtext,stl,pjs,vplayer,mpsub,rawvideo,image2
  demuxers+=,image_png_pipe,image_jpeg_pipe,image_bmp_pipe,image_gif_pipe,concat,data,ffmetadata
  local muxers=asf,asf_stream,mp4,mov,ipod,mp3,adts,avi,matroska,wav,null,ass,srt,webvtt,mpeg1system
  muxers+=,mpeg2video,mpegts,flv,ogg,ipod,image2,rawvideo,ffmetadata
  local filters=scale,crop,pad,volume,subtitles,ass,overlay,aresample,aformat,format,setsar,setdar
  filters+=,null,anull,copy,fps,setpts,asetpts,trim,atrim,realtime,arealtime,split,asplit,concat
  filters+=,testsrc,testsrc2,color,nullsrc,sine,anullsrc
  local encoders=aac,mpeg4,wmv1,wmv2,wmav1,wmav2,libx264,libmp3lame
  encoders+=,mp2,mpeg2video,mpeg1video,pcm_s16le,rawvideo,mjpeg,png,ass,ssa,srt,subrip,mov_text  # the tests' clips
  mkdir -p "$ffmpeg_src/build-win64"
  (cd "$ffmpeg_src/build-win64" && ../configure --prefix="$prefix" --target-os=mingw32 --arch=x86_64 \
     --cross-prefix=$host- --cc="$CC" --cxx="$CXX" --pkg-config=pkg-config --pkg-config-flags=--static \
     --extra-cflags="-I$deps/include" --extra-ldflags="-L$deps/lib -static" \
     --enable-gpl --disable-shared --enable-static --disable-debug --disable-doc --disable-ffplay \
     --disable-ffprobe --disable-network --disable-autodetect --enable-w32threads --enable-zlib \
     --disable-everything --enable-decoder="$decoders" --enable-demuxer="$demuxers" --enable-parsers \
     --enable-bsfs --enable-muxer="$muxers" --enable-protocol=file,pipe --enable-indev=lavfi \
     --enable-encoder="$encoders" \
     --enable-libx264 --enable-libmp3lame --enable-libass --enable-libfreetype --enable-libfribidi \
     --enable-filter="$filters" >/dev/null &&
   make -j"$jobs" >/dev/null && make install >/dev/null)
}
step build_ffmpeg

# Never a broken encoder in the box: it must start under Wine and be the FFmpeg just built.
export WINEPREFIX=$cache/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
if ! wine "$prefix/bin/ffmpeg.exe" -hide_banner -version 2>/dev/null | grep -q '^ffmpeg version 5\.1'; then
  echo "The built ffmpeg.exe does not run under Wine; its build starts again on the next run." >&2
  rm -f "$work/.done-build_ffmpeg"
  exit 1
fi
sort -u "$work/VERSIONS.new" > "$prefix/VERSIONS"
minutes=$(awk '{ s += $1 } END { print int((s + 59) / 60) }' "$work"/.done-*)
echo "$minutes" > "$prefix/BUILD-MINUTES"
touch "$stamp"
echo "ffmpeg.exe for Windows built in $minutes min into $prefix ($(du -h "$prefix/bin/ffmpeg.exe" | cut -f1))"
