/* The font libraries, byte for byte, in flash. */
    .section .rodata.fonts, "a"
    .balign 4
    .global hz16_dzk
hz16_dzk:
    .incbin "hz16.dzk"
    .balign 4
    .global uni16_dzk
uni16_dzk:
    .incbin "uni16.dzk"
