quillmark-fits
100
не определено
14
