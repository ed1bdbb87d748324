quillmark-fits
50
h
