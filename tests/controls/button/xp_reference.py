#!/usr/bin/env python3
# Works out the expected pixels of the XP face (ButtonStyle 3) straight from its drawing
# rules, independently of the C++ painter, and writes XPExpected.h for tst_button_paint.
# Colours are 0x00BBGGRR; the fixture palette has face 0xC0C0C0 and 3D dark shadow 0x404040.
# Independent model of the XP face rules, to produce expected probe values for the tests.
import struct
def f32(x): return struct.unpack('f', struct.pack('f', x))[0]
def trunc_div(a,b):
    q = abs(a)//abs(b)
    return q if (a>=0)==(b>0) else -q
def clamp(v): return max(0,min(255,v))
def S(c,a):
    r=(c&0xFF)+a; g=((c>>8)&0xFF)+a; b0=(c>>16)&0xFF; b=b0+trunc_div(b0*a,192)
    return clamp(r)|clamp(g)<<8|clamp(b)<<16
def rhe(x):  # round half even
    return int(round(x))
W,H=249,33
DARK=0x404040; FACE=0xC0C0C0
class Img:
    def __init__(s): s.p=[[None]*W for _ in range(H)]
    def set(s,x,y,c):
        if 0<=x<W and 0<=y<H: s.p[y][x]=c
    def fill(s,l,t,r,b,c):
        for y in range(t,b):
            for x in range(l,r): s.set(x,y,c)
    def frame(s,l,t,r,b,c):
        for x in range(l,r): s.set(x,t,c); s.set(x,b-1,c)
        for y in range(t,b): s.set(l,y,c); s.set(r-1,y,c)
    def line(s,x1,y1,x2,y2,c):
        if y1==y2:
            for x in range(x1,x2): s.set(x,y1,c)
        else:
            assert x1==x2
            for y in range(y1,y2): s.set(x1,y,c)
def corners(im,c):
    for (x,y) in [(1,1),(1,H-2),(W-2,1),(W-2,H-2)]: im.set(x,y,c)
def xp(state,hover,focus,enabled,back=FACE,focusring=0xE6AA8C,hoverring=0x4799E1):
    im=Img(); im.fill(0,0,W,H,back)
    if not enabled:
        base=S(back,48); im.fill(0,0,W,H,S(base,-24)); im.frame(0,0,W,H,S(base,-84)); corners(im,S(base,-72)); return im
    if state==0:
        step=f32(25.0/H); base=S(back,48)
        for i in range(1,H+1): im.line(0,i,W,i,S(base,rhe(-step*i)))
        im.frame(0,0,W,H,DARK); corners(im,DARK)
        def ring(fc,a,b,c2,d):
            im.frame(1,2,W-1,H-2,fc)
            im.line(2,H-2,W-2,H-2,S(fc,a)); im.line(2,1,W-2,1,S(fc,b)); im.line(1,2,W-1,2,S(fc,c2))
            im.line(2,3,2,H-3,S(fc,d)); im.line(W-3,3,W-3,H-3,S(fc,d))
        if focus: ring(focusring,-33,65,50,31)
        else:
            for (x1,y1,x2,y2,a) in [(2,H-2,W-2,H-2,-48),(1,H-3,W-2,H-3,-32),(W-2,2,W-2,H-2,-36),(W-3,3,W-3,H-3,-24),(2,1,W-2,1,16),(1,2,W-2,2,10),(1,2,1,H-2,-5),(2,3,2,H-3,-10)]:
                im.line(x1,y1,x2,y2,S(base,a))
        if hover: ring(hoverring,-40,90,35,20)
    elif state==2:
        step=f32(15.0/H); base=S(S(back,48),-32)
        for i in range(1,H+1): im.line(0,H-i,W,H-i,S(base,rhe(-step*i)))
        im.frame(0,0,W,H,DARK); corners(im,DARK)
        for (x1,y1,x2,y2,a) in [(2,H-2,W-2,H-2,16),(1,H-3,W-2,H-3,10),(W-2,2,W-2,H-2,5),(W-3,3,W-3,H-3,0),(2,1,W-2,1,-32),(1,2,W-2,2,-24),(1,2,1,H-2,-32),(2,2,2,H-2,-22)]:
            im.line(x1,y1,x2,y2,S(base,a))
    return im

CASES={'normal':xp(0,0,0,1),'focused':xp(0,0,1,1),'hover':xp(0,1,0,1),
       'hover over focus':xp(0,1,1,1),'pressed':xp(2,0,0,1),'disabled':xp(0,0,0,0)}
COLS=[0,1,2,3,100,245,246,247,248]
ROWX=[0,1,2,3,4,124,244,245,246,247,248]
ROWS=[0,1,2,3,29,30,31,32]
out=[]
out.append('#pragma once\n')
out.append('// Expected pixels (0xBBGGRR, hex) of a 249 x 33 XP face on the fixture palette, worked out')
out.append('// from the XP rules by xp_reference.py. Generated: do not edit by hand.\n')
out.append('struct XPProbe {\n    const char* state;\n    char axis;  // \'c\': column x = index, rows 0..32; \'r\': row y = index at kRowX\n    int index;\n    const char* pixels;\n};\n')
out.append('inline constexpr int kRowX[] = {%s};\n' % ', '.join(map(str,ROWX)))
out.append('inline constexpr XPProbe kXPProbes[] = {')
for name,im in CASES.items():
    for x in COLS:
        out.append('    {"%s", \'c\', %d,\n     "%s"},' % (name,x,' '.join('%06X'%im.p[y][x] for y in range(H))))
    for y in ROWS:
        out.append('    {"%s", \'r\', %d, "%s"},' % (name,y,' '.join('%06X'%im.p[y][x] for x in ROWX)))
out.append('};')
open('XPExpected.h','w').write('\n'.join(out)+'\n')
