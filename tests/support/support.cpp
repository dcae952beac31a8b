// test support library anchor
